#include "media/memory_file.h"

#include <algorithm>
#include <cstring>

#include "media/cls_mp3_error.h"

namespace sqtest {

class MemoryFile final : public sq::ByteFile {
public:
    MemoryFile(MemoryFileOpener& owner, const std::string& bytes) noexcept : owner_(owner), bytes_(bytes) {
        ++owner_.open_files_;
        ++owner_.opens_;
    }
    ~MemoryFile() override { --owner_.open_files_; }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::uint64_t Length() const override { return bytes_.size(); }

    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        if (offset >= bytes_.size()) return 0;
        const std::size_t n = std::min(count, static_cast<std::size_t>(bytes_.size() - offset));
        std::memcpy(buffer, bytes_.data() + offset, n);
        owner_.bytes_read_ += n;
        return n;
    }

private:
    MemoryFileOpener& owner_;
    const std::string& bytes_;
};

std::unique_ptr<sq::ByteFile> MemoryFileOpener::OpenRead(const std::string& path) {
    if (const auto failing = unopenable_.find(path); failing != unopenable_.end()) sq::RaiseCause(failing->second);
    const auto found = files_.find(path);
    if (found == files_.end()) sq::RaiseCause(sq::cause::kFileNotFound);
    return std::make_unique<MemoryFile>(*this, found->second);
}

}  // namespace sqtest

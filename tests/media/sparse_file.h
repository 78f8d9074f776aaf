#pragma once
// A file of any claimed length whose bytes are all 0 except a prefix: lets the tests reach
// lengths of hundreds of megabytes without holding them.
#include <algorithm>
#include <cstring>
#include <map>

#include "media/byte_file.h"
#include "media/cls_mp3_error.h"

namespace sqtest {

class SparseFileOpener final : public sq::FileOpener {
public:
    void Add(const std::string& path, std::string prefix, std::uint64_t length) {
        files_[path] = {std::move(prefix), length};
    }
    std::unique_ptr<sq::ByteFile> OpenRead(const std::string& path) override {
        const auto found = files_.find(path);
        if (found == files_.end()) sq::RaiseCause(sq::cause::kFileNotFound);
        return std::make_unique<File>(found->second);
    }

private:
    struct Content {
        std::string prefix;
        std::uint64_t length = 0;
    };
    class File final : public sq::ByteFile {
    public:
        explicit File(const Content& content) : content_(content) {}
        std::uint64_t Length() const override { return content_.length; }
        std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
            if (offset >= content_.length) return 0;
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, content_.length - offset));
            std::memset(buffer, 0, n);
            if (offset < content_.prefix.size()) {
                const std::size_t from_prefix = std::min<std::size_t>(n, content_.prefix.size() - offset);
                std::memcpy(buffer, content_.prefix.data() + offset, from_prefix);
            }
            return n;
        }

    private:
        const Content& content_;
    };
    std::map<std::string, Content> files_;
};

}  // namespace sqtest

#include "media/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/owning_handle.h"
#include "media/cls_mp3_error.h"

namespace sq {
namespace {

struct DescriptorTraits {
    using Handle = int;
    static Handle Empty() noexcept { return -1; }
    static void Close(Handle fd) noexcept { ::close(fd); }
};
using UniqueDescriptor = UniqueHandle<DescriptorTraits>;

class PosixFile final : public ByteFile {
public:
    PosixFile(UniqueDescriptor fd, std::uint64_t length) noexcept : fd_(std::move(fd)), length_(length) {}

    std::uint64_t Length() const override { return length_; }

    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = ::pread(fd_.get(), static_cast<char*>(buffer) + done, count - done,
                                        static_cast<off_t>(offset + done));
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                RaiseCause(cause::kDeviceIo);
            }
            done += static_cast<std::size_t>(got);
        }
        return done;
    }

private:
    UniqueDescriptor fd_;
    std::uint64_t length_;
};

long CauseOfOpenFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
            return cause::kFileNotFound;
        case EBUSY:
        case ETXTBSY:
        case EWOULDBLOCK:
            return cause::kPermissionDenied;
        default:
            return cause::kPathFileAccess;
    }
}

}  // namespace

std::unique_ptr<ByteFile> PosixFileOpener::OpenRead(const std::string& path) {
    UniqueDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) RaiseCause(CauseOfOpenFailure(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        RaiseCause(cause::kPathFileAccess);  // a folder, a device: not an audio file
    }
    return std::make_unique<PosixFile>(std::move(fd), static_cast<std::uint64_t>(info.st_size));
}

}  // namespace sq

#include "media/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "media/cls_mp3_error.h"

namespace sq {
namespace {

class PosixFile final : public ByteFile {
public:
    PosixFile(int fd, std::uint64_t length) noexcept : fd_(fd), length_(length) {}
    ~PosixFile() override { ::close(fd_); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    std::uint64_t Length() const override { return length_; }

    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            const ssize_t got = ::pread(fd_, static_cast<char*>(buffer) + done, count - done,
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
    int fd_;
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) RaiseCause(CauseOfOpenFailure(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        RaiseCause(cause::kPathFileAccess);  // a folder, a device: not an audio file
    }
    try {
        return std::make_unique<PosixFile>(fd, static_cast<std::uint64_t>(info.st_size));
    } catch (...) {
        ::close(fd);
        throw;
    }
}

}  // namespace sq

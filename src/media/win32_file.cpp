#include "media/win32_file.h"

#include <windows.h>

#include "common/win32_ansi_text.h"
#include "common/win32_unique_handle.h"
#include "media/cls_mp3_error.h"

namespace sq {
namespace {

class Win32File final : public ByteFile {
public:
    Win32File(UniqueFile file, std::uint64_t length) noexcept : file_(std::move(file)), length_(length) {}

    std::uint64_t Length() const override { return length_; }

    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        std::size_t done = 0;
        while (done < count) {
            OVERLAPPED at{};
            const std::uint64_t position = offset + done;
            at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD got = 0;
            if (!::ReadFile(file_.get(), static_cast<char*>(buffer) + done, chunk, &got, &at)) {
                if (::GetLastError() == ERROR_HANDLE_EOF) break;
                RaiseCause(cause::kDeviceIo);
            }
            if (got == 0) break;
            done += got;
        }
        return done;
    }

private:
    UniqueFile file_;
    std::uint64_t length_;
};

long CauseOfOpenFailure(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return cause::kFileNotFound;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return cause::kPermissionDenied;
        default:
            return cause::kPathFileAccess;
    }
}

}  // namespace

std::unique_ptr<ByteFile> Win32FileOpener::OpenRead(const std::string& path) {
    const std::wstring wide = !named_.empty() && path == named_ ? wide_path_ : WideFromAnsi(path);
    UniqueFile file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) RaiseCause(CauseOfOpenFailure(::GetLastError()));
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) RaiseCause(cause::kPathFileAccess);
    return std::make_unique<Win32File>(std::move(file), static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace sq

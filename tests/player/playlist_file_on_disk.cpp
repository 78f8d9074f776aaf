#include "player/playlist_file_on_disk.h"

#include <cstdio>

#include "common/owning_handle.h"
#include "player/playlist_file.h"

namespace sqtest {
namespace {

struct StdFileTraits {
    using Handle = std::FILE*;
    static Handle Empty() noexcept { return nullptr; }
    static void Close(Handle file) noexcept { std::fclose(file); }
};
using UniqueStdFile = sq::UniqueHandle<StdFileTraits>;

class StdFileBytes final : public sq::PlaylistBytes {
public:
    explicit StdFileBytes(std::FILE* file) : file_(file) {}
    std::size_t Read(char* buffer, std::size_t size) override { return std::fread(buffer, 1, size, file_); }

private:
    std::FILE* file_;
};

}  // namespace

std::string ReadPlaylistEntry(const std::string& file_path, long position) {
    const UniqueStdFile file(std::fopen(file_path.c_str(), "rb"));
    if (!file) return {};
    StdFileBytes bytes(file.get());
    return sq::ReadPlaylistEntry(bytes, position);
}

}  // namespace sqtest

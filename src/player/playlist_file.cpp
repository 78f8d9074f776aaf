#include "player/playlist_file.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace sq {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using UniqueStdFile = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kChunkSize = 64 * 1024;

std::string WithoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace

std::string ReadPlaylistPathLine(const std::string& file_path, long position) {
    if (position < 0 || position > kLastPlaylistPosition) return {};
    const long wanted = PlaylistPathLineNumber(position);

    UniqueStdFile file(std::fopen(file_path.c_str(), "rb"));
    if (!file) return {};

    // Only two pieces of text are ever kept: the start of a line that runs past the end of a
    // chunk, and the last complete line seen (the answer when the file ends early).
    std::vector<char> chunk(kChunkSize);
    std::string carried;
    std::string last_complete;
    long line_number = 1;

    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got == 0) break;
        const char* const data = chunk.data();
        const char* last_begin = nullptr;
        const char* last_end = nullptr;
        std::size_t pos = 0;
        while (pos < got) {
            const void* found = std::memchr(data + pos, '\n', got - pos);
            if (!found) {
                carried.append(data + pos, got - pos);
                break;
            }
            const std::size_t end = static_cast<std::size_t>(static_cast<const char*>(found) - data);
            if (line_number == wanted) {
                carried.append(data + pos, end - pos);
                return WithoutCarriageReturn(std::move(carried));
            }
            if (!carried.empty()) {
                last_complete = std::move(carried);
                last_complete.append(data + pos, end - pos);
                carried.clear();
                last_begin = last_end = nullptr;
            } else {
                last_begin = data + pos;
                last_end = data + end;
            }
            ++line_number;
            pos = end + 1;
        }
        if (last_begin) last_complete.assign(last_begin, last_end);
    }

    // The file ended: an unterminated final line is its last line (and may be the one wanted).
    if (!carried.empty()) return WithoutCarriageReturn(std::move(carried));
    return WithoutCarriageReturn(std::move(last_complete));
}

}  // namespace sq

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

// Counted in blocks with an 8-bit tally each, a loop shape that compilers turn into wide
// compares; the walk line by line is kept for the one chunk that holds the wanted line.
long CountLineFeeds(const char* begin, const char* end) {
    constexpr std::ptrdiff_t kBlock = 240;  // whole vector widths, within what an 8-bit tally can count
    long count = 0;
    const char* p = begin;
    for (; end - p >= kBlock; p += kBlock) {
        unsigned char tally = 0;
        for (std::ptrdiff_t i = 0; i < kBlock; ++i) tally = static_cast<unsigned char>(tally + (p[i] == '\n'));
        count += tally;
    }
    for (; p != end; ++p) count += *p == '\n';
    return count;
}

// The last line feed in [begin, end), or nullptr.
const char* LastLineFeed(const char* begin, const char* end) {
    while (end != begin) {
        if (*--end == '\n') return end;
    }
    return nullptr;
}

}  // namespace

std::string ReadPlaylistPathLine(const std::string& file_path, long position) {
    if (position < 0 || position > kLastPlaylistPosition) return {};
    const long wanted = PlaylistPathLineNumber(position);

    UniqueStdFile file(std::fopen(file_path.c_str(), "rb"));
    if (!file) return {};

    // Only two pieces of text are ever kept: the start of a line that runs past the end of a
    // chunk, and the last complete line seen (the answer when the file ends early). Chunks that
    // end before the wanted line are only counted, not walked line by line.
    std::vector<char> chunk(kChunkSize);
    std::string carried;
    std::string last_complete;
    long line_number = 1;  // the line that `carried` belongs to

    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (got == 0) break;
        const char* const begin = chunk.data();
        const char* const end = begin + got;
        const long line_ends = CountLineFeeds(begin, end);

        if (line_number + line_ends <= wanted) {
            if (line_ends == 0) {
                carried.append(begin, end);
                continue;
            }
            const char* last_end = LastLineFeed(begin, end);
            const char* previous_end = LastLineFeed(begin, last_end);
            if (previous_end) {
                last_complete.assign(previous_end + 1, last_end);
            } else {
                last_complete = std::move(carried);
                last_complete.append(begin, last_end);
            }
            carried.assign(last_end + 1, end);
            line_number += line_ends;
            continue;
        }

        // The wanted line ends in this chunk.
        const char* line_begin = begin;
        for (;;) {
            const char* line_end = static_cast<const char*>(std::memchr(line_begin, '\n', static_cast<std::size_t>(end - line_begin)));
            if (line_number == wanted) {
                carried.append(line_begin, line_end);
                return WithoutCarriageReturn(std::move(carried));
            }
            carried.clear();
            ++line_number;
            line_begin = line_end + 1;
        }
    }

    // The file ended: an unterminated final line is its last line (and may be the one wanted).
    if (!carried.empty()) return WithoutCarriageReturn(std::move(carried));
    return WithoutCarriageReturn(std::move(last_complete));
}

}  // namespace sq

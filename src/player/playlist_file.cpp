#include "player/playlist_file.h"

#include <cstring>
#include <vector>

namespace sq {
namespace {

constexpr std::size_t kChunkSize = std::size_t{64} * 1024;

std::string WithoutCarriageReturn(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool StartsEntry(char first) { return first != '#'; }

// Entry lines that begin inside [begin, end): after a line feed whose next byte is in the range
// and is not "#", and at `begin` itself when the previous chunk ended with a line feed. Counted
// in blocks with an 8-bit tally each, a loop shape that compilers turn into wide compares; the
// walk line by line is kept for the one chunk where the wanted entry begins.
long CountEntryStarts(const char* begin, const char* end, bool line_starts_at_begin) {
    constexpr std::ptrdiff_t kBlock = 240;  // whole vector widths, within what an 8-bit tally can count
    long count = line_starts_at_begin && StartsEntry(*begin) ? 1 : 0;
    const char* p = begin;
    const char* const last = end - 1;  // a line feed here begins its line in the next chunk
    for (; last - p >= kBlock; p += kBlock) {
        unsigned char tally = 0;
        for (std::ptrdiff_t i = 0; i < kBlock; ++i) {
            tally = static_cast<unsigned char>(tally + ((p[i] == '\n') & (p[i + 1] != '#')));
        }
        count += tally;
    }
    for (; p < last; ++p) count += (p[0] == '\n') & (p[1] != '#');
    return count;
}

const char* NextLineFeed(const char* from, const char* end) {
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(end - from)));
}

// The start of the entry line that has `to_pass` entry lines before it in [begin, end), or
// nullptr when the chunk holds fewer.
const char* EntryStartIn(const char* begin, const char* end, bool line_starts_at_begin, long to_pass) {
    const char* line = line_starts_at_begin ? begin : nullptr;
    if (!line) {
        const char* feed = NextLineFeed(begin, end);
        line = feed ? feed + 1 : end;
    }
    while (line < end) {
        if (StartsEntry(*line) && to_pass-- == 0) return line;
        const char* feed = NextLineFeed(line, end);
        if (!feed) return nullptr;
        line = feed + 1;
    }
    return nullptr;
}

}  // namespace

std::string ReadPlaylistEntry(PlaylistBytes& bytes, long position) {
    if (position < 0 || position > kLastPlaylistPosition) return {};

    // Chunks that end before the wanted entry begins are only counted, not walked line by line;
    // the one text kept is the wanted line, which may run across chunks.
    std::vector<char> chunk(kChunkSize);
    long to_pass = position;
    bool line_starts_next = false;  // line 1, the header, is never an entry
    bool collecting = false;
    std::string line;

    for (;;) {
        const std::size_t got = bytes.Read(chunk.data(), chunk.size());
        if (got == 0 || got > chunk.size()) break;
        const char* const begin = chunk.data();
        const char* const end = begin + got;

        const char* from = begin;
        if (!collecting) {
            const long starts = CountEntryStarts(begin, end, line_starts_next);
            if (starts <= to_pass) {
                to_pass -= starts;
                line_starts_next = end[-1] == '\n';
                continue;
            }
            from = EntryStartIn(begin, end, line_starts_next, to_pass);
            if (!from) return {};  // cannot happen when the count is right; never guess
            collecting = true;
        }
        const char* feed = NextLineFeed(from, end);
        line.append(from, feed ? feed : end);
        if (feed) return WithoutCarriageReturn(std::move(line));
    }
    // An unterminated last line is a line too.
    return collecting ? WithoutCarriageReturn(std::move(line)) : std::string();
}

}  // namespace sq

// libFuzzer target: any bytes as a playlist file, read in pieces whose sizes the input also
// chooses, at a position it chooses. The entry must be the one a plain split of the same bytes
// gives, and completing it as a path must stay within the folder and the line it is made of.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "player/playlist_file.h"
#include "player/playlist_path.h"

namespace {

class PiecewiseBytes final : public sq::PlaylistBytes {
public:
    PiecewiseBytes(const std::string& bytes, std::size_t piece) : bytes_(bytes), piece_(piece) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({size, bytes_.size() - at_, piece_});
        std::copy_n(bytes_.data() + at_, n, buffer);
        at_ += n;
        return n;
    }

private:
    const std::string& bytes_;
    std::size_t piece_;
    std::size_t at_ = 0;
};

std::string PlainSplitEntry(const std::string& bytes, long position) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    long seen = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i][0] == '#') continue;
        if (seen++ == position) return lines[i];
    }
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const long position = data[0] % 16;
    const std::size_t piece = 1 + data[1] % 64;
    const bool double_byte = data[2] & 1;
    const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);

    PiecewiseBytes source(bytes, piece);
    const std::string entry = sq::ReadPlaylistEntry(source, position);
    if (entry != PlainSplitEntry(bytes, position)) std::abort();

    const std::string folder = "C:\\Users\\me\\AppData\\Roaming\\Winamp\\";
    const auto lead = [](unsigned char b) { return b >= 0x81 && b <= 0x9F; };
    const std::string path = sq::ResolvePlaylistPath(folder, entry, double_byte ? +lead : nullptr);
    if (path.size() > folder.size() + entry.size() + 1) std::abort();
    return 0;
}

// Playlist lookup near the end of a long playlist, side by side with a plain sequential read of
// the same file: the lookup should cost no more than twice the plain read.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "player/playlist_file_on_disk.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kEntries = 30000;
constexpr long kPosition = 29999;
constexpr int kRounds = 41;
volatile unsigned char g_mix = 0;  // keeps the plain read's bytes in use

std::string PathOf(int k) {
    return "C:\\Music\\Artist " + std::to_string(k % 700) + "\\Album " + std::to_string(k % 90) + "\\" +
           std::to_string(k % 20 + 1) + " - Song Title Number " + std::to_string(k) + ".mp3";
}

std::string BuildPlaylist() {
    std::string bytes = "#EXTM3U\r\n";
    for (int k = 0; k < kEntries; ++k) {
        bytes += "#EXTINF:" + std::to_string(120 + k % 300) + ",Artist " + std::to_string(k % 700) +
                 " - Song Title Number " + std::to_string(k) + "\r\n";
        bytes += PathOf(k) + "\r\n";
    }
    return bytes;
}

// The peer: every byte of the file read front to back, through the same C library, with a
// trivial use of each chunk so the read cannot be dropped.
std::size_t PlainSequentialRead(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return 0;
    std::vector<char> chunk(64 * 1024);
    std::size_t total = 0;
    unsigned char mix = 0;
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;) {
        total += got;
        mix ^= static_cast<unsigned char>(chunk[got - 1]);
    }
    std::fclose(file);
    g_mix = mix;
    return total;
}

// For context only: the obvious line-by-line reader.
std::string GetlineLookup(const std::string& path, long position) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    for (long n = 0; n < 2 * position + 3 && std::getline(in, line); ++n) {
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

template <typename F>
double MedianMicroseconds(F&& run) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const fs::path file = fs::temp_directory_path() / ("sq_bench_WINAMP_" + std::to_string(::getpid()) + ".m3u");
    {
        const std::string bytes = BuildPlaylist();
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string path = file.string();
    const std::string expected = PathOf(static_cast<int>(kPosition));

    bool ok = sqtest::ReadPlaylistEntry(path, kPosition) == expected && GetlineLookup(path, kPosition) == expected;
    const std::size_t size = PlainSequentialRead(path);

    // Interleave the measurements so that both see the same cache and machine load.
    std::vector<double> lookup, plain, getline_peer;
    std::string sink;
    for (int pass = 0; pass < 5; ++pass) {
        lookup.push_back(MedianMicroseconds([&] { sink = sqtest::ReadPlaylistEntry(path, kPosition); }));
        plain.push_back(MedianMicroseconds([&] { ok = ok && PlainSequentialRead(path) == size; }));
        getline_peer.push_back(MedianMicroseconds([&] { sink = GetlineLookup(path, kPosition); }));
    }
    ok = ok && sink == expected;
    std::sort(lookup.begin(), lookup.end());
    std::sort(plain.begin(), plain.end());
    std::sort(getline_peer.begin(), getline_peer.end());
    const double l = lookup[2], p = plain[2], g = getline_peer[2];

    std::printf("playlist: %d entries, %zu bytes, position %ld (line %ld)\n", kEntries, size, kPosition,
                2 * kPosition + 3);
    std::printf("%-34s %10s %8s\n", "", "median us", "ratio");
    std::printf("%-34s %10.1f %8.2f\n", "plain sequential read (peer)", p, 1.0);
    std::printf("%-34s %10.1f %8.2f\n", "ReadPlaylistEntry", l, l / p);
    std::printf("%-34s %10.1f %8.2f\n", "std::getline lookup (context)", g, g / p);
    std::printf("target: lookup <= 2.00 x plain read: %s\n", l <= 2.0 * p ? "met" : "MISSED");

    std::error_code ignored;
    fs::remove(file, ignored);
    if (!ok) {
        std::printf("lookup returned a wrong line\n");
        return 1;
    }
    return 0;
}

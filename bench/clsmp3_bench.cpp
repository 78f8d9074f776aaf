// clsMP3::ReadMP3 against TagLib (MPEG::File, tags and audio properties, fast mode) on the same
// files in one run, plus a file with no frame sync against a plain sequential read, plus the
// reader's peak heap use.
//   clsmp3_bench [--rounds N] [--nosync PATH] [--list FILE] [files...]
// A --nosync file that does not exist is made (50 MB of bytes without an accepted frame sync).
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include <taglib/mpegfile.h>
#include <taglib/tag.h>

#include "media/cls_mp3.h"
#include "media/posix_file.h"

// Heap accounting for the peak-memory figure: every operator new of the process is counted.
namespace {
std::size_t g_heap_now = 0;
std::size_t g_heap_peak = 0;
void* CountedAlloc(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    g_heap_now += malloc_usable_size(p);
    g_heap_peak = std::max(g_heap_peak, g_heap_now);
    return p;
}
void CountedFree(void* p) noexcept {
    if (!p) return;
    g_heap_now -= malloc_usable_size(p);
    std::free(p);
}
}  // namespace
void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return CountedAlloc(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

namespace {

using Clock = std::chrono::steady_clock;
volatile std::size_t g_sink = 0;  // keeps every reader's results in use

struct Corpus {
    std::vector<std::string> paths;
    std::vector<std::uint64_t> sizes;
    std::vector<std::uint64_t> id3v2_bodies;  // what the tag step holds in memory
    std::uint64_t bytes = 0;
};

std::uint64_t Id3v2BodyHeld(const std::string& path, std::uint64_t length) {
    unsigned char h[10] = {};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(h), 10);
    if (h[1] != 'D' || h[2] != '3' || (h[3] != 2 && h[3] != 3)) return 0;
    const std::uint64_t size = std::uint64_t{h[6]} * 2097152 + h[7] * 16384u + h[8] * 128u + h[9];
    if (size > length || length < 10) return 0;
    return std::min(size, length - 10);
}

bool ReadCore(const std::string& path, sq::FileOpener& files) {
    sq::clsMP3 mp3(files);
    try {
        mp3.ReadMP3(path);
    } catch (const sq::ClsMP3Error&) {
        return false;
    }
    g_sink = g_sink + mp3.Songname.size() + mp3.Artist.size() + mp3.BitRate.size() + mp3.Duration.size();
    return true;
}

bool ReadTagLib(const std::string& path) {
    TagLib::MPEG::File file(path.c_str(), true, TagLib::AudioProperties::Fast);
    if (!file.isValid()) return false;
    const TagLib::Tag* tag = file.tag();
    const TagLib::AudioProperties* audio = file.audioProperties();
    std::size_t mix = 0;
    if (tag) mix += tag->title().size() + tag->artist().size() + tag->album().size() + tag->genre().size() + tag->year();
    if (audio) mix += static_cast<std::size_t>(audio->lengthInSeconds() + audio->bitrate() + audio->sampleRate());
    g_sink = g_sink + mix;
    return true;
}

template <typename F>
double SecondsFor(F&& body) {
    const auto start = Clock::now();
    body();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void CorpusRun(const Corpus& corpus, int rounds) {
    sq::PosixFileOpener files;
    int core_failures = 0;
    int taglib_failures = 0;
    // Warm the page cache, so both readers see the same cached files.
    for (const std::string& path : corpus.paths) {
        core_failures += !ReadCore(path, files);
        taglib_failures += !ReadTagLib(path);
    }
    std::vector<double> core, taglib;
    for (int r = 0; r < rounds; ++r) {
        core.push_back(SecondsFor([&] {
            for (const std::string& path : corpus.paths) ReadCore(path, files);
        }));
        taglib.push_back(SecondsFor([&] {
            for (const std::string& path : corpus.paths) ReadTagLib(path);
        }));
    }
    const double n = static_cast<double>(corpus.paths.size());
    const double mb = static_cast<double>(corpus.bytes) / 1e6;
    std::printf("corpus: %zu files, %.1f MB, %d rounds (median)\n", corpus.paths.size(), mb, rounds);
    std::printf("  %-34s %12s %12s %10s\n", "reader", "files/s", "MB/s", "failures");
    std::printf("  %-34s %12.0f %12.0f %10d\n", "clsMP3 ReadMP3", n / Median(core), mb / Median(core), core_failures);
    std::printf("  %-34s %12.0f %12.0f %10d\n", "TagLib MPEG::File (fast)", n / Median(taglib), mb / Median(taglib),
                taglib_failures);
    std::printf("  ReadMP3 / TagLib: %.2fx files per second\n", Median(taglib) / Median(core));

    // Peak heap during one ReadMP3, against the ID3v2 body it must hold.
    std::size_t worst_peak = 0;
    long long worst_over_body = -(1LL << 62);
    for (std::size_t i = 0; i < corpus.paths.size(); ++i) {
        const std::size_t before = g_heap_now;
        g_heap_peak = before;
        ReadCore(corpus.paths[i], files);
        const std::size_t peak = g_heap_peak - before;
        worst_peak = std::max(worst_peak, peak);
        worst_over_body = std::max(worst_over_body, static_cast<long long>(peak) -
                                                        static_cast<long long>(corpus.id3v2_bodies[i]));
    }
    std::printf("  ReadMP3 peak heap: at most %.1f kB per file; at most %.1f kB above the file's ID3v2 body "
                "(limit 1024 kB)\n",
                static_cast<double>(worst_peak) / 1024, static_cast<double>(worst_over_body) / 1024);
}

// Bytes with no 0xFF followed by 0xFA or 0xFB anywhere: the frame search reads them all.
void MakeNoSyncFile(const std::string& path, std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        bytes[i] = static_cast<unsigned char>(x >> 24);
    }
    for (std::size_t i = 0; i + 1 < size; ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xFA || bytes[i + 1] == 0xFB)) bytes[i + 1] = 0x00;
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(size));
}

// The peer: every byte read front to back with read(2), into a buffer of `chunk` bytes.
std::size_t PlainRead(const std::string& path, std::size_t chunk) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    std::vector<char> buffer(chunk);
    std::size_t total = 0;
    unsigned char mix = 0;
    for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
        total += static_cast<std::size_t>(got);
        mix ^= static_cast<unsigned char>(buffer[static_cast<std::size_t>(got) - 1]);
    }
    ::close(fd);
    g_sink = g_sink + mix;
    return total;
}

void NoSyncRun(const std::string& path, int rounds) {
    if (::access(path.c_str(), R_OK) != 0) MakeNoSyncFile(path, 50u * 1000u * 1000u);
    sq::PosixFileOpener files;
    {
        sq::clsMP3 mp3(files);
        mp3.ReadMP3(path);
        if (!mp3.BitRate.empty()) std::printf("warning: %s has a frame sync\n", path.c_str());
    }
    const double mb = static_cast<double>(PlainRead(path, 1 << 20)) / 1e6;
    std::vector<double> core, plain64k, plain1m;
    for (int r = 0; r < rounds; ++r) {
        core.push_back(SecondsFor([&] { ReadCore(path, files); }));
        plain64k.push_back(SecondsFor([&] { PlainRead(path, 64 * 1024); }));
        plain1m.push_back(SecondsFor([&] { PlainRead(path, 1024 * 1024); }));
    }
    const double best_plain = std::min(Median(plain64k), Median(plain1m));
    std::printf("no frame sync: %s, %.1f MB, %d rounds (median)\n", path.c_str(), mb, rounds);
    std::printf("  %-34s %12.0f MB/s\n", "clsMP3 ReadMP3 (scans it all)", mb / Median(core));
    std::printf("  %-34s %12.0f MB/s\n", "plain read(2), 64 kB buffer", mb / Median(plain64k));
    std::printf("  %-34s %12.0f MB/s\n", "plain read(2), 1 MB buffer", mb / Median(plain1m));
    std::printf("  ReadMP3 / faster plain read: %.0f%%\n", 100.0 * best_plain / Median(core));
}

}  // namespace

int main(int argc, char** argv) {
    Corpus corpus;
    std::string nosync;
    int rounds = 7;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--nosync" && i + 1 < argc) {
            nosync = argv[++i];
        } else if (arg == "--list" && i + 1 < argc) {
            std::ifstream list(argv[++i]);
            for (std::string line; std::getline(list, line);) {
                if (!line.empty()) corpus.paths.push_back(line);
            }
        } else {
            corpus.paths.push_back(arg);
        }
    }
    if (corpus.paths.empty() && nosync.empty()) {
        std::fprintf(stderr, "usage: clsmp3_bench [--rounds N] [--nosync PATH] [--list FILE] [files...]\n");
        return 2;
    }
    for (const std::string& path : corpus.paths) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        const std::uint64_t size = in ? static_cast<std::uint64_t>(in.tellg()) : 0;
        corpus.sizes.push_back(size);
        corpus.id3v2_bodies.push_back(Id3v2BodyHeld(path, size));
        corpus.bytes += size;
    }
    if (!corpus.paths.empty()) CorpusRun(corpus, rounds);
    if (!nosync.empty()) NoSyncRun(nosync, rounds * 3);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("process peak RSS: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024);
    return static_cast<int>(g_sink & 0);
}

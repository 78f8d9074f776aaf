// clsMP3::ReadMP3 against TagLib (MPEG::File, tags and audio properties, fast mode) on the same
// files in one run, with two floors no reader can beat: a plain scan from byte 0 to the first
// frame sync (0xFF followed by 0xFA or 0xFB) in 64 kB reads, and a plain read of the same bytes.
// Then a file with no frame sync, which ReadMP3 reads to its end, against a plain read of it.
// Prints rows of the benchmark table (bench/run.sh), each against its target.
//   clsmp3_bench [--title TEXT] [--rounds N] [--nosync PATH] [--list FILE] [files...]
// A --nosync file that does not exist is made (50 MB of bytes without an accepted frame sync).
#include <fcntl.h>
#include <malloc.h>
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
constexpr std::size_t kPlainRead = 64 * 1024;

void Row(const char* what, const std::string& figure, const std::string& target = "", const char* verdict = "") {
    std::printf("  %-46s %20s   %-10s %s\n", what, figure.c_str(), target.c_str(), verdict);
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Counts what a reader asks of the files, without changing what it gets.
class CountingOpener final : public sq::FileOpener {
public:
    std::unique_ptr<sq::ByteFile> OpenRead(const std::string& path) override {
        class Counted final : public sq::ByteFile {
        public:
            Counted(std::unique_ptr<sq::ByteFile> file, std::uint64_t& bytes) : file_(std::move(file)), bytes_(bytes) {}
            std::uint64_t Length() const override { return file_->Length(); }
            std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override {
                const std::size_t got = file_->ReadAt(offset, buffer, count);
                bytes_ += got;
                return got;
            }

        private:
            std::unique_ptr<sq::ByteFile> file_;
            std::uint64_t& bytes_;
        };
        return std::make_unique<Counted>(files_.OpenRead(path), bytes);
    }
    std::uint64_t bytes = 0;

private:
    sq::PosixFileOpener files_;
};

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

// The first floor: 64 kB reads from byte 0 until one holds the first accepted pair. Returns
// the bytes read.
std::size_t PlainScan(const std::string& path, unsigned char* buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    std::size_t total = 0;
    bool last_was_ff = false;
    for (ssize_t got; (got = ::read(fd, buffer, kPlainRead)) > 0;) {
        const unsigned char* const data = buffer;
        const std::size_t n = static_cast<std::size_t>(got);
        total += n;
        bool found = last_was_ff && (data[0] & 0xFE) == 0xFA;
        for (std::size_t i = 0; !found && i + 1 < n;) {
            const void* hit = std::memchr(data + i, 0xFF, n - 1 - i);
            if (!hit) break;
            i = static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - data);
            found = (data[i + 1] & 0xFE) == 0xFA;
            ++i;
        }
        if (found) break;
        last_was_ff = data[n - 1] == 0xFF;
    }
    ::close(fd);
    return total;
}

// The second floor: the same bytes in the same reads, not looked at.
std::size_t PlainRead(const std::string& path, std::size_t bytes, std::size_t chunk, unsigned char* buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return 0;
    std::size_t total = 0;
    unsigned char mix = 0;
    for (ssize_t got; total < bytes && (got = ::read(fd, buffer, chunk)) > 0;) {
        total += static_cast<std::size_t>(got);
        mix ^= buffer[static_cast<std::size_t>(got) - 1];
    }
    ::close(fd);
    g_sink = g_sink + mix;
    return total;
}

// The plain readers' buffer starts a page, as the file's reads do: the system copies from its
// file cache at full speed only when the two sit alike in their pages (media/read_buffer.h).
struct PageBuffer {
    PageBuffer() : bytes(static_cast<unsigned char*>(std::aligned_alloc(4096, 1 << 20))) {}
    ~PageBuffer() { std::free(bytes); }
    PageBuffer(const PageBuffer&) = delete;
    PageBuffer& operator=(const PageBuffer&) = delete;
    unsigned char* const bytes;
};

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

const char* Verdict(bool met) { return met ? "ok" : "MISSED"; }

void CorpusRun(const std::vector<std::string>& paths, int rounds) {
    sq::PosixFileOpener files;
    PageBuffer page;
    unsigned char* const buffer = page.bytes;
    std::vector<std::size_t> scanned;
    CountingOpener counting;
    int core_failures = 0;
    int taglib_failures = 0;
    std::uint64_t bytes = 0;
    std::uint64_t scanned_bytes = 0;
    // Warms the page cache, so that every reader meets the same cached files, and counts.
    for (const std::string& path : paths) {
        core_failures += !ReadCore(path, counting);
        taglib_failures += !ReadTagLib(path);
        scanned.push_back(PlainScan(path, buffer));
        scanned_bytes += scanned.back();
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        bytes += in ? static_cast<std::uint64_t>(in.tellg()) : 0;
    }
    std::vector<double> core, taglib, scan, read;
    for (int r = 0; r < rounds; ++r) {
        core.push_back(SecondsFor([&] {
            for (const std::string& path : paths) ReadCore(path, files);
        }));
        taglib.push_back(SecondsFor([&] {
            for (const std::string& path : paths) ReadTagLib(path);
        }));
        scan.push_back(SecondsFor([&] {
            for (const std::string& path : paths) PlainScan(path, buffer);
        }));
        read.push_back(SecondsFor([&] {
            for (std::size_t i = 0; i < paths.size(); ++i) PlainRead(paths[i], scanned[i], kPlainRead, buffer);
        }));
    }
    const double n = static_cast<double>(paths.size());
    std::printf("  corpus: %zu files, %.0f MB; median of %d rounds; failures: ReadMP3 %d, TagLib %d\n", paths.size(),
                static_cast<double>(bytes) / 1e6, rounds, core_failures, taglib_failures);
    const double kb_core = static_cast<double>(counting.bytes) / n / 1024;
    const double kb_scan = static_cast<double>(scanned_bytes) / n / 1024;
    Row("ReadMP3", Format("%.0f files/s", n / Median(core)), Format("%.0f kB read per file", kb_core));
    Row("TagLib MPEG::File, fast", Format("%.0f files/s", n / Median(taglib)));
    Row("plain 0xFF scan to the first sync, 64 kB reads", Format("%.0f files/s", n / Median(scan)),
        Format("%.0f kB read per file", kb_scan));
    Row("plain read of the same bytes", Format("%.0f files/s", n / Median(read)));
    const double against_taglib = Median(taglib) / Median(core);
    const double against_scan = Median(scan) / Median(core);
    Row("ReadMP3 / TagLib", Format("%.2fx", against_taglib), ">= 2x", Verdict(against_taglib >= 2.0));
    Row("ReadMP3 / plain 0xFF scan", Format("%.0f%%", 100 * against_scan), ">= 70%", Verdict(against_scan >= 0.7));

    std::size_t worst_peak = 0;
    for (const std::string& path : paths) {
        const std::size_t before = g_heap_now;
        g_heap_peak = before;
        ReadCore(path, files);
        worst_peak = std::max(worst_peak, g_heap_peak - before);
    }
    Row("ReadMP3 peak heap, largest of the corpus", Format("%.0f kB", static_cast<double>(worst_peak) / 1024));
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

void NoSyncRun(const std::string& path, int rounds) {
    if (::access(path.c_str(), R_OK) != 0) MakeNoSyncFile(path, 50u * 1000u * 1000u);
    sq::PosixFileOpener files;
    {
        sq::clsMP3 mp3(files);
        mp3.ReadMP3(path);
        if (!mp3.BitRate.empty()) std::printf("warning: %s has a frame sync\n", path.c_str());
    }
    PageBuffer page;
    unsigned char* const buffer = page.bytes;
    const std::size_t everything = static_cast<std::size_t>(-1);
    const double mb = static_cast<double>(PlainRead(path, everything, 1 << 20, buffer)) / 1e6;
    std::vector<double> core, plain64k, plain1m;
    for (int r = 0; r < rounds; ++r) {
        core.push_back(SecondsFor([&] { ReadCore(path, files); }));
        plain64k.push_back(SecondsFor([&] { PlainRead(path, everything, 64 * 1024, buffer); }));
        plain1m.push_back(SecondsFor([&] { PlainRead(path, everything, 1 << 20, buffer); }));
    }
    const double best_plain = std::min(Median(plain64k), Median(plain1m));
    const double against_plain = best_plain / Median(core);
    std::printf("  no frame sync: %.0f MB read to its end; median of %d rounds\n", mb, rounds);
    Row("ReadMP3", Format("%.0f MB/s", mb / Median(core)));
    Row("plain read, faster of 64 kB and 1 MB reads", Format("%.0f MB/s", mb / best_plain));
    Row("ReadMP3 / plain read", Format("%.0f%%", 100 * against_plain), ">= 70%", Verdict(against_plain >= 0.7));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    std::string nosync;
    std::string title;
    int rounds = 11;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--nosync" && i + 1 < argc) {
            nosync = argv[++i];
        } else if (arg == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (arg == "--list" && i + 1 < argc) {
            std::ifstream list(argv[++i]);
            for (std::string line; std::getline(list, line);) {
                if (!line.empty()) paths.push_back(line);
            }
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.empty() && nosync.empty()) {
        std::fprintf(stderr, "usage: clsmp3_bench [--title TEXT] [--rounds N] [--nosync PATH] [--list FILE] [files...]\n");
        return 2;
    }
    if (!title.empty()) std::printf("%s\n", title.c_str());
    if (!paths.empty()) CorpusRun(paths, rounds);
    if (!nosync.empty()) NoSyncRun(nosync, rounds * 2);
    std::fflush(stdout);
    return static_cast<int>(g_sink & 0);
}

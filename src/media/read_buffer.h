#pragma once
// A buffer for file reads that puts each read at the same offset within a page as the bytes have
// in the file. The system's copy from its file cache runs at a quarter of its speed on some
// processors when the destination lies a few bytes past the source's offset in its page
// (measured on an AMD EPYC: 0.6-0.7 GB/s for 1 to 31 bytes, 3-4 GB/s otherwise), and a plain
// heap block lands anywhere.
#include <cstddef>
#include <cstdint>
#include <memory>

namespace sq {

class ReadBuffer {
public:
    static constexpr std::size_t kPage = 4096;

    // Room for reads of up to `size` bytes.
    explicit ReadBuffer(std::size_t size) : storage_(new unsigned char[size + 2 * kPage]) {}

    // Where to read `count` (at most `size`) bytes from file offset `offset`.
    unsigned char* For(std::uint64_t offset) {
        const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(storage_.get());
        const std::size_t to_page = static_cast<std::size_t>((kPage - start % kPage) % kPage);
        return storage_.get() + to_page + static_cast<std::size_t>(offset % kPage);
    }

private:
    std::unique_ptr<unsigned char[]> storage_;
};

}  // namespace sq

#pragma once
// The memory a request's wParam points to, checked before it is touched: the metadata requests
// hand the player a record of pointers, which mean something only when the caller is in its
// process. Anything else (a number, another process's address) is refused, never read.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sim {

bool IsReadable(const void* address, std::size_t size);
bool IsWritable(void* address, std::size_t size);

// The text at `text` up to its terminating zero; nothing when it is not readable or longer
// than `most` characters.
template <typename Char>
std::optional<std::basic_string<Char>> ReadableText(const Char* text, std::size_t most) {
    constexpr std::uintptr_t kPage = 4096;
    std::basic_string<Char> read;
    for (std::size_t i = 0; i < most; ++i) {
        const auto last_byte = reinterpret_cast<std::uintptr_t>(text + i) + sizeof(Char) - 1;
        const bool new_page = i == 0 || last_byte / kPage != (last_byte - sizeof(Char)) / kPage;
        if (new_page && !IsReadable(text + i, sizeof(Char))) return std::nullopt;
        if (text[i] == Char()) return read;
        read += text[i];
    }
    return std::nullopt;
}

}  // namespace sim

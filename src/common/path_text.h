#pragma once
// Paths as text: wide, UTF-8, or the system code page's bytes. Windows reads a slash in a path as
// a backslash, so either one ends a folder. In a double-byte code page the second byte of a
// character may be the backslash's ("表" is 0x95 0x5C in code page 932), so code-page text is read
// with the code page's lead-byte test and the byte after a lead byte is never a separator. Wide
// and UTF-8 text need none: no unit of a longer character is an ASCII one.
#include <cstddef>
#include <string>
#include <vector>

namespace sq {

// True for the first byte of a two-byte character of the code page. None (nullptr) for text
// without such characters.
using LeadByteTest = bool (*)(unsigned char);

template <typename Char>
constexpr bool IsPathSeparator(Char c) {
    return c == Char('\\') || c == Char('/');
}

// Index of the first separator at or after `from`; npos when there is none.
template <typename Char>
std::size_t FindSeparator(const std::basic_string<Char>& path, std::size_t from, LeadByteTest is_lead_byte = nullptr) {
    for (std::size_t i = from; i < path.size(); ++i) {
        if (IsPathSeparator(path[i])) return i;
        if constexpr (sizeof(Char) == 1) {
            if (is_lead_byte && is_lead_byte(static_cast<unsigned char>(path[i]))) ++i;
        }
    }
    return std::basic_string<Char>::npos;
}

// Index of the last separator; npos when there is none.
template <typename Char>
std::size_t FindLastSeparator(const std::basic_string<Char>& path, LeadByteTest is_lead_byte = nullptr) {
    std::size_t last = std::basic_string<Char>::npos;
    for (std::size_t at = FindSeparator(path, 0, is_lead_byte); at != std::basic_string<Char>::npos;
         at = FindSeparator(path, at + 1, is_lead_byte)) {
        last = at;
    }
    return last;
}

// The names between the separators from `from` on: "Music\\Live\" gives {"Music", "Live"}.
// Doubled separators, and separators at either end, give no empty name.
inline std::vector<std::string> PathNames(const std::string& path, std::size_t from, LeadByteTest is_lead_byte) {
    std::vector<std::string> names;
    while (from < path.size()) {
        std::size_t end = FindSeparator(path, from, is_lead_byte);
        if (end == std::string::npos) end = path.size();
        if (end > from) names.push_back(path.substr(from, end - from));
        from = end + 1;
    }
    return names;
}

// The folder a path names its file in, without the separator after it: "C:\Music\a.mp3" gives
// "C:\Music", "C:\a.mp3" gives "C:". Empty when the path has no folder.
template <typename Char>
std::basic_string<Char> FolderOf(const std::basic_string<Char>& path, LeadByteTest is_lead_byte = nullptr) {
    const std::size_t separator = FindLastSeparator(path, is_lead_byte);
    return separator == std::basic_string<Char>::npos ? std::basic_string<Char>() : path.substr(0, separator);
}

// The folder ending in a separator, so that a name can follow it; an empty folder stays empty.
template <typename Char>
std::basic_string<Char> WithTrailingBackslash(std::basic_string<Char> folder, LeadByteTest is_lead_byte = nullptr) {
    if (!folder.empty() && FindLastSeparator(folder, is_lead_byte) != folder.size() - 1) folder += Char('\\');
    return folder;
}

}  // namespace sq

#pragma once
// Paths as text, in the code page's bytes or wide alike. Windows reads a slash in a path as a
// backslash, so either one ends a folder.
#include <string>

namespace sq {

// The folder a path names its file in, without the separator after it: "C:\Music\a.mp3" gives
// "C:\Music", "C:\a.mp3" gives "C:". Empty when the path has no folder.
template <typename Char>
std::basic_string<Char> FolderOf(const std::basic_string<Char>& path) {
    constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char()};
    const size_t separator = path.find_last_of(kSeparators);
    return separator == std::basic_string<Char>::npos ? std::basic_string<Char>() : path.substr(0, separator);
}

// The folder ending in a separator, so that a name can follow it; an empty folder stays empty.
template <typename Char>
std::basic_string<Char> WithTrailingBackslash(std::basic_string<Char> folder) {
    if (!folder.empty() && folder.back() != Char('\\') && folder.back() != Char('/')) folder += Char('\\');
    return folder;
}

}  // namespace sq

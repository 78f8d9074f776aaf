#pragma once
#include <functional>
#include <string>

namespace sq {

inline constexpr char kExcludedNotice[] = "Song was in the excludes list. Song was not submitted.";

using LowerCaseFn = std::function<std::string(const std::string&)>;

// Lower-cases A to Z only; the Windows side passes one that knows the system's code page.
std::string AsciiLowerCase(const std::string& text);

// True when the playing file lies in the excluded folder: a plain comparison of the beginning of
// the text, ignoring case and folder boundaries (C:\Music also covers C:\Music2). An empty folder
// excludes nothing, and an unknown (empty) path is never excluded.
bool IsExcluded(const std::string& path, const std::string& folder, const LowerCaseFn& lower = &AsciiLowerCase);

}  // namespace sq

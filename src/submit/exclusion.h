#pragma once
#include <functional>
#include <string>

#include "common/letter_case.h"

namespace sq {

inline constexpr char kExcludedNotice[] = "Song was in the excludes list. Song was not submitted.";

using LowerCaseFn = std::function<std::string(const std::string&)>;

// True when the playing file lies in the excluded folder: a plain comparison of the beginning of
// the text, ignoring case and folder boundaries (C:\Music also covers C:\Music2). An empty folder
// excludes nothing, and an unknown (empty) path is never excluded. Case is the code page's, which
// the Windows side passes in; left out, A to Z alone have a case.
bool IsExcluded(const std::string& path, const std::string& folder,
                const LowerCaseFn& lower = [](const std::string& text) { return LowerCase(text); });

}  // namespace sq

#pragma once
#include <string>

#include "common/code_page.h"

namespace sq {

inline constexpr char kExcludedNotice[] = "Song was in the excludes list. Song was not submitted.";

// True when the playing file lies in the excluded folder: a plain comparison of the beginning of
// the text, ignoring case and folder boundaries (C:\Music also covers C:\Music2). An empty folder
// excludes nothing, and an unknown (empty) path is never excluded. Case is the code page's.
bool IsExcluded(const std::string& path, const std::string& folder, const CodePage& code_page);

}  // namespace sq

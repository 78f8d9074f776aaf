#include "submit/exclusion.h"

namespace sq {

std::string AsciiLowerCase(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsExcluded(const std::string& path, const std::string& folder, const LowerCaseFn& lower) {
    if (folder.empty() || path.empty()) return false;
    const std::string lower_path = lower(path);
    const std::string lower_folder = lower(folder);
    return lower_path.compare(0, lower_folder.size(), lower_folder) == 0;
}

}  // namespace sq

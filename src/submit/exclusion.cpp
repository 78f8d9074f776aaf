#include "submit/exclusion.h"

namespace sq {

bool IsExcluded(const std::string& path, const std::string& folder, const CodePage& code_page) {
    if (folder.empty() || path.empty()) return false;
    const std::string lower_path = code_page.LowerCase(path);
    const std::string lower_folder = code_page.LowerCase(folder);
    return lower_path.compare(0, lower_folder.size(), lower_folder) == 0;
}

}  // namespace sq

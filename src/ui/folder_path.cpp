#include "ui/folder_path.h"

#include <algorithm>
#include <cctype>

#include "common/letter_case.h"
#include "common/path_text.h"

namespace sq {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Splits the names after the root at every run of backslashes.
void AppendNames(const std::string& path, size_t from, std::vector<std::string>& parts) {
    size_t i = from;
    while (i < path.size()) {
        while (i < path.size() && path[i] == '\\') ++i;
        const size_t start = i;
        while (i < path.size() && path[i] != '\\') ++i;
        if (i > start) parts.push_back(path.substr(start, i - start));
    }
}

bool LessIgnoringCase(const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); }

}  // namespace

std::vector<std::string> FolderPathParts(const std::string& path) {
    std::vector<std::string> parts;
    if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
        parts.push_back(path.substr(0, 2) + "\\");
        AppendNames(path, 2, parts);
        return parts;
    }
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        // A network share: the server and share names together are the root.
        std::vector<std::string> names;
        AppendNames(path, 2, names);
        if (names.size() < 2) return {};
        parts.push_back("\\\\" + names[0] + "\\" + names[1] + "\\");
        parts.insert(parts.end(), names.begin() + 2, names.end());
    }
    return parts;
}

std::string JoinFolderPath(const std::vector<std::string>& parts, size_t count) {
    count = std::min(count, parts.size());
    if (count == 0) return {};
    std::string path = parts[0];
    for (size_t i = 1; i < count; ++i) {
        if (i > 1) path += '\\';
        path += parts[i];
    }
    return path;
}

std::string NormalFolderPath(const std::string& path) {
    const std::vector<std::string> parts = FolderPathParts(path);
    return JoinFolderPath(parts, parts.size());
}

bool FolderListModel::Open(const std::string& folder, std::vector<std::string> subfolders) {
    std::vector<std::string> parts = FolderPathParts(folder);
    if (parts.empty()) return false;
    std::stable_sort(subfolders.begin(), subfolders.end(), LessIgnoringCase);

    std::vector<FolderListEntry> entries;
    for (size_t i = 0; i < parts.size(); ++i) entries.push_back({parts[i], static_cast<int>(i), true});
    for (std::string& name : subfolders) entries.push_back({std::move(name), static_cast<int>(parts.size()), false});

    current_ = JoinFolderPath(parts, parts.size());
    open_count_ = parts.size();
    parts_ = std::move(parts);
    entries_ = std::move(entries);
    return true;
}

std::string FolderListModel::PathOf(size_t index) const {
    if (index >= entries_.size()) return {};
    if (index < open_count_) return JoinFolderPath(parts_, index + 1);
    std::string path = WithTrailingBackslash(current_);
    path += entries_[index].name;
    return path;
}

}  // namespace sq

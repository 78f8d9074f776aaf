#include "ui/folder_path.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "common/letter_case.h"

namespace sq {
namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool LessIgnoringCase(const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); }

}  // namespace

std::vector<std::string> FolderPathParts(const std::string& path, LeadByteTest is_lead_byte) {
    std::vector<std::string> parts;
    if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
        parts.push_back(path.substr(0, 2) + "\\");
        for (std::string& name : PathNames(path, 2, is_lead_byte)) parts.push_back(std::move(name));
        return parts;
    }
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        // A network share: the server and share names together are the root.
        const std::vector<std::string> names = PathNames(path, 2, is_lead_byte);
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

std::vector<char> DriveLetters(std::uint32_t mask) {
    std::vector<char> letters;
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) letters.push_back(static_cast<char>('A' + i));
    return letters;
}

std::string DriveCaption(char letter, const std::string& label) {
    std::string caption{static_cast<char>(letter - 'A' + 'a'), ':'};
    if (!label.empty()) caption += " [" + label + "]";
    return caption;
}

bool FolderListModel::Open(const std::string& folder, std::vector<std::string> subfolders) {
    std::vector<std::string> parts = FolderPathParts(folder, is_lead_byte_);
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
    std::string path = WithTrailingBackslash(current_, is_lead_byte_);
    path += entries_[index].name;
    return path;
}

}  // namespace sq

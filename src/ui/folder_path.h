#pragma once
// What the excluded-folder list shows and reports, apart from the file system: a folder path is
// a root ("C:\", or "\\server\share\") followed by folder names, and the list shows the current
// folder's ancestors, the folder itself and then its sub-folders, each one level deeper.
#include <cstddef>
#include <string>
#include <vector>

namespace sq {

// The root and the folder names of a path: "C:\Music\Live\" gives {"C:\", "Music", "Live"}.
// Repeated backslashes are read as one. A path without a recognisable root gives {}.
std::vector<std::string> FolderPathParts(const std::string& path);

// The path made of the first `count` parts, with no trailing backslash except at the root.
std::string JoinFolderPath(const std::vector<std::string>& parts, size_t count);

// The path as the folder list reports it: "C:\" for a root, "C:\Music" below it (no trailing
// backslash). Empty when the path has no root.
std::string NormalFolderPath(const std::string& path);

struct FolderListEntry {
    std::string name;  // the root as it is written, otherwise the folder's own name
    int level = 0;     // 0 for the root, one more for each step down
    bool open = false; // an ancestor or the current folder (drawn as an open folder)
};

class FolderListModel {
public:
    // Moves to `folder` with the given sub-folder names; they are shown sorted without regard to
    // case. Returns false, and changes nothing, when `folder` has no root.
    bool Open(const std::string& folder, std::vector<std::string> subfolders);

    const std::string& Current() const { return current_; }
    const std::vector<FolderListEntry>& Entries() const { return entries_; }
    // Index of the current folder's own entry (the last open one); 0 when nothing is open.
    size_t CurrentIndex() const { return open_count_ > 0 ? open_count_ - 1 : 0; }
    // The folder an entry stands for; empty for an index past the end.
    std::string PathOf(size_t index) const;

private:
    std::string current_;
    std::vector<std::string> parts_;
    std::vector<FolderListEntry> entries_;
    size_t open_count_ = 0;
};

}  // namespace sq

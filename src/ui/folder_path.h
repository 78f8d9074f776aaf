#pragma once
// What the excluded-folder editor shows and reports, apart from the file system: a folder path is
// a root ("C:\", or "\\server\share\") followed by folder names, and the list shows the current
// folder's ancestors, the folder itself and then its sub-folders, each one level deeper. Paths are
// in the system code page, read with its lead-byte test (common/path_text.h).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/path_text.h"

namespace sq {

// The root and the folder names of a path: "C:\Music\Live\" gives {"C:\", "Music", "Live"}.
// Repeated separators are read as one. A path without a recognisable root gives {}.
std::vector<std::string> FolderPathParts(const std::string& path, LeadByteTest is_lead_byte = nullptr);

// The path made of the first `count` parts, with no trailing backslash except at the root.
std::string JoinFolderPath(const std::vector<std::string>& parts, size_t count);

// The drive letters of a drive mask (bit 0 for A:), upper case, in order.
std::vector<char> DriveLetters(std::uint32_t mask);
// A drive as the drive list shows it: "c:", or "c: [label]" when the drive told its label.
std::string DriveCaption(char letter, const std::string& label = {});

struct FolderListEntry {
    std::string name;  // the root as it is written, otherwise the folder's own name
    int level = 0;     // 0 for the root, one more for each step down
    bool open = false; // an ancestor or the current folder (drawn as an open folder)
};

class FolderListModel {
public:
    explicit FolderListModel(LeadByteTest is_lead_byte = nullptr) : is_lead_byte_(is_lead_byte) {}

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
    LeadByteTest is_lead_byte_;
    std::string current_;
    std::vector<std::string> parts_;
    std::vector<FolderListEntry> entries_;
    size_t open_count_ = 0;
};

}  // namespace sq

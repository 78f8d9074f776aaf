#pragma once
// One folder level as the platform's file search gives it, in the platform's own order.
#include <functional>
#include <string>

namespace sq {

struct FolderEntry {
    std::string name;  // the long name, cut before its first NUL
    bool folder = false;
};

class FolderLister {
public:
    virtual ~FolderLister() = default;
    // Calls `visit` for every entry matching `pattern` (a folder path followed by a wildcard
    // name). A pattern that matches nothing, or a folder that does not exist, visits nothing.
    virtual void List(const std::string& pattern, const std::function<void(const FolderEntry&)>& visit) = 0;
};

}  // namespace sq

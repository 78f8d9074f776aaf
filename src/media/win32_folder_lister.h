#pragma once
// FolderLister over the Windows file search (FindFirstFileA / FindNextFileA, 8-bit names).
#include "media/folder_lister.h"

namespace sq {

class Win32FolderLister final : public FolderLister {
public:
    void List(const std::string& pattern, const std::function<void(const FolderEntry&)>& visit) override;
};

}  // namespace sq

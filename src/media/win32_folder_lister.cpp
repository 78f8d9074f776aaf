#include "media/win32_folder_lister.h"

#include <windows.h>

#include <cstring>

#include "common/win32_unique_handle.h"

namespace sq {
namespace {

FolderEntry EntryOf(const WIN32_FIND_DATAA& found) {
    FolderEntry entry;
    entry.name.assign(found.cFileName, ::strnlen(found.cFileName, sizeof(found.cFileName)));
    entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return entry;
}

}  // namespace

void Win32FolderLister::List(const std::string& pattern, const std::function<void(const FolderEntry&)>& visit) {
    WIN32_FIND_DATAA found{};
    UniqueFind search(::FindFirstFileA(pattern.c_str(), &found));
    if (!search) return;  // nothing matches, or no such folder
    do {
        visit(EntryOf(found));
    } while (::FindNextFileA(search.get(), &found));
}

}  // namespace sq

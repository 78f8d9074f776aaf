#include "id3v1_tags.h"

#include <windows.h>

#include <cstring>

#include "code_page_text.h"
#include "common/win32_unique_handle.h"

namespace sim {
namespace {

constexpr DWORD kTagSize = 128;

std::wstring TagField(const char* field, size_t size) {
    std::string text(field, strnlen(field, size));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return DecodedText(text, CP_ACP);
}

}  // namespace

void ReadId3v1Tags(Entry& entry) {
    const sq::UniqueFile file(::CreateFileW(entry.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < kTagSize) return;
    LARGE_INTEGER at{};
    at.QuadPart = size.QuadPart - kTagSize;
    char tag[kTagSize] = {};
    DWORD got = 0;
    if (!::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) || !::ReadFile(file.get(), tag, kTagSize, &got, nullptr) ||
        got != kTagSize || std::memcmp(tag, "TAG", 3) != 0)
        return;
    entry.title = TagField(tag + 3, 30);
    entry.artist = TagField(tag + 33, 30);
}

}  // namespace sim

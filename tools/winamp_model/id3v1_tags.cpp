#include "id3v1_tags.h"

#include <windows.h>

#include <cstring>
#include <optional>

#include "code_page_text.h"
#include "common/win32_unique_handle.h"

namespace sim {
namespace {

constexpr DWORD kTagSize = 128;
constexpr std::size_t kFieldSize = 30;
constexpr std::size_t kTitleAt = 3;
constexpr std::size_t kArtistAt = kTitleAt + kFieldSize;
constexpr unsigned char kNoGenre = 255;

std::wstring TagField(const char* field) {
    std::string text(field, strnlen(field, kFieldSize));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return DecodedText(text, CP_ACP);
}

// The text in the code page, cut to the whole characters that fit, padded with zero bytes.
void SetTagField(char* field, std::wstring text) {
    std::string bytes = EncodedText(text, CP_ACP);
    while (bytes.size() > kFieldSize) {
        text.pop_back();
        bytes = EncodedText(text, CP_ACP);
    }
    std::memset(field, 0, kFieldSize);
    std::memcpy(field, bytes.data(), bytes.size());
}

// Where the file's tag is or goes: its last 128 bytes when they are a tag (found, and read), else
// the end of the file.
struct EndTag {
    LARGE_INTEGER at{};
    bool found = false;
    char bytes[kTagSize] = {};
};

std::optional<EndTag> ReadEndTag(HANDLE file) {
    EndTag tag;
    if (!::GetFileSizeEx(file, &tag.at)) return std::nullopt;
    if (tag.at.QuadPart < kTagSize) return tag;
    tag.at.QuadPart -= kTagSize;
    DWORD got = 0;
    if (!::SetFilePointerEx(file, tag.at, nullptr, FILE_BEGIN) ||
        !::ReadFile(file, tag.bytes, kTagSize, &got, nullptr) || got != kTagSize)
        return std::nullopt;
    tag.found = std::memcmp(tag.bytes, "TAG", 3) == 0;
    if (!tag.found) tag.at.QuadPart += kTagSize;
    return tag;
}

}  // namespace

void ReadId3v1Tags(Entry& entry) {
    const sq::UniqueFile file(::CreateFileW(entry.path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const std::optional<EndTag> tag = file ? ReadEndTag(file.get()) : std::nullopt;
    if (!tag || !tag->found) return;
    entry.title = TagField(tag->bytes + kTitleAt);
    entry.artist = TagField(tag->bytes + kArtistAt);
}

bool WriteId3v1Tags(const std::wstring& path, const std::wstring& artist, const std::wstring& title) {
    const sq::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::optional<EndTag> tag = file ? ReadEndTag(file.get()) : std::nullopt;
    if (!tag) return false;
    if (!tag->found) {
        std::memset(tag->bytes, 0, kTagSize);
        std::memcpy(tag->bytes, "TAG", 3);
        tag->bytes[kTagSize - 1] = static_cast<char>(kNoGenre);
    }
    SetTagField(tag->bytes + kTitleAt, title);
    SetTagField(tag->bytes + kArtistAt, artist);
    DWORD written = 0;
    return ::SetFilePointerEx(file.get(), tag->at, nullptr, FILE_BEGIN) &&
           ::WriteFile(file.get(), tag->bytes, kTagSize, &written, nullptr) && written == kTagSize;
}

}  // namespace sim

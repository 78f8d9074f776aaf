#include "entry.h"

namespace sim {

bool Entry::IsStream() const { return path.rfind(L"http://", 0) == 0 || path.rfind(L"https://", 0) == 0; }

std::wstring Entry::DisplayName() const {
    if (!artist.empty() && !title.empty()) return artist + L" - " + title;
    if (!artist.empty() || !title.empty()) return artist + title;
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

}  // namespace sim

#pragma once
// The text of a window (a caption, a control's text), read whole: the length is asked first, so
// no text is cut at a buffer's size.
#include <windows.h>

#include <string>

namespace sq {

inline std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace sq

#include "common/ansi_text.h"

namespace sq {

std::wstring WideFromAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string AnsiFromWide(const wchar_t* text, size_t length) {
    if (!text || length == 0) return {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

std::string AnsiFromWide(const std::wstring& text) { return AnsiFromWide(text.data(), text.size()); }

std::string AnsiFromBstr(BSTR text) { return AnsiFromWide(text, text ? ::SysStringLen(text) : 0); }

BSTR BstrFromAnsi(const std::string& bytes) {
    const std::wstring wide = WideFromAnsi(bytes);
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace sq

#include "common/win32_ansi_text.h"

namespace sq {
namespace {

std::wstring WideFrom(UINT code_page, const char* bytes, size_t length) {
    if (length == 0) return {};
    const int n = ::MultiByteToWideChar(code_page, 0, bytes, static_cast<int>(length), nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(code_page, 0, bytes, static_cast<int>(length), out.data(), n);
    return out;
}

std::string BytesFrom(UINT code_page, const wchar_t* text, size_t length) {
    if (!text || length == 0) return {};
    const int n = ::WideCharToMultiByte(code_page, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(code_page, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& bytes) { return WideFrom(CP_ACP, bytes.data(), bytes.size()); }

std::string AnsiFromWide(const wchar_t* text, size_t length) { return BytesFrom(CP_ACP, text, length); }

std::string AnsiFromWide(const std::wstring& text) { return AnsiFromWide(text.data(), text.size()); }

std::string AnsiFromBstr(BSTR text) { return AnsiFromWide(text, text ? ::SysStringLen(text) : 0); }

BSTR BstrFromAnsi(const std::string& bytes) {
    const std::wstring wide = WideFromAnsi(bytes);
    return ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

void LowerCodePageLetters(char* text, size_t size) { ::CharLowerBuffA(text, static_cast<DWORD>(size)); }

bool IsCodePageLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

std::wstring WideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text.data(), text.size()); }

std::string Utf8FromWide(const std::wstring& text) { return BytesFrom(CP_UTF8, text.data(), text.size()); }

}  // namespace sq

#include "code_page_text.h"

namespace sim {

std::string EncodedText(const std::wstring& text, UINT code_page) {
    const int size = static_cast<int>(text.size());
    const int n = text.empty() ? 0 : ::WideCharToMultiByte(code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(code_page, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::wstring DecodedText(const std::string& bytes, UINT code_page) {
    std::wstring text(bytes.size(), L'\0');
    const int n = bytes.empty() ? 0
                                : ::MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                        text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

}  // namespace sim

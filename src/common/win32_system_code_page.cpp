#include "common/win32_system_code_page.h"

#include "common/win32_ansi_text.h"
#include "common/letter_case.h"

namespace sq {

std::string SystemCodePage::FromUtf8(const std::string& text) const { return AnsiFromWide(WideFromUtf8(text)); }

std::string SystemCodePage::FromUtf16(const std::u16string& text) const {
    static_assert(sizeof(char16_t) == sizeof(wchar_t), "UTF-16 is the system's wide text");
    return AnsiFromWide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

std::string SystemCodePage::ToUtf8(const std::string& text) const { return Utf8FromWide(WideFromAnsi(text)); }

std::string SystemCodePage::LowerCase(const std::string& text) const { return sq::LowerCase(text, &LowerCodePageLetters); }

LeadByteTest SystemCodePage::LeadBytes() const { return &IsCodePageLeadByte; }

}  // namespace sq

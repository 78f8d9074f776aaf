#pragma once
// The code page as the system converts it.
#include "common/code_page.h"

namespace sq {

class SystemCodePage final : public CodePage {
public:
    std::string FromUtf8(const std::string& text) const override;
    std::string FromUtf16(const std::u16string& text) const override;
    std::string ToUtf8(const std::string& text) const override;
    std::string LowerCase(const std::string& text) const override;
    LeadByteTest LeadBytes() const override;
};

}  // namespace sq

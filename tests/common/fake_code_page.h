#pragma once
// The code page as native tests see it, for the player's model and the submission run alike:
// Latin-1, whose bytes above 127 are the first 256 characters; Ł becomes the look-alike L, any
// other character it lacks "?"; its letters lower as Latin-1's do; no two-byte characters.
#include "common/code_page.h"

namespace sqtest {

class FakeCodePage final : public sq::CodePage {
public:
    std::string FromUtf8(const std::string& text) const override;
    std::string FromUtf16(const std::u16string& text) const override;
    std::string ToUtf8(const std::string& text) const override;
    std::string LowerCase(const std::string& text) const override;
    sq::LeadByteTest LeadBytes() const override { return nullptr; }
};

}  // namespace sqtest

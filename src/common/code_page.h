#pragma once
// The system's 8-bit code page, which the player's older answers, its first playlist file, the
// stored settings and the service's protocol speak, while the core holds the player's text as
// UTF-8. Which characters the code page holds, how it writes the rest, which bytes are letters and
// which begin a two-byte character only Windows knows: the shell answers with the system's own
// rules (common/win32_system_code_page.h), native tests with one fake.
#include <string>

#include "common/path_text.h"

namespace sq {

class CodePage {
public:
    virtual ~CodePage() = default;
    // Characters the code page lacks become what the system writes for them: a look-alike where
    // it has one (L for Ł), else "?".
    virtual std::string FromUtf8(const std::string& text) const = 0;
    virtual std::string FromUtf16(const std::u16string& text) const = 0;
    virtual std::string ToUtf8(const std::string& text) const = 0;
    // Lower case as the code page has it, so that folder names with accents compare too.
    virtual std::string LowerCase(const std::string& text) const = 0;
    // The lead-byte test, for stepping through the code page's paths; nullptr for a code page of
    // single bytes.
    virtual LeadByteTest LeadBytes() const = 0;
};

}  // namespace sq

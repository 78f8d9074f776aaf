#pragma once
// Tag text as the service receives it. clsMP3 keeps a tag's bytes as they stand, as scripts rely
// on, but today's taggers write ID3v2 text as UTF-16 with a byte-order mark, and some end it with
// a NUL: sent raw, such an artist reaches the service with "%00" between its letters.
#include <string>

namespace sq {

class CodePage;

// A text that begins with a UTF-16 byte-order mark (either order) is decoded and converted to
// the system's code page; any text is then cut at its first NUL.
std::string TagTextForService(const std::string& tag_text, const CodePage& code_page);

}  // namespace sq

#include "common/text_replace.h"

namespace sq {

std::string ReplaceAll(const std::string& text, std::string_view what, std::string_view with) {
    if (what.empty()) return text;
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, from)) {
        result.append(text, from, at - from);
        result += with;
        from = at + what.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

}  // namespace sq

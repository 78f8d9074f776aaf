#pragma once
#include <string>
#include <string_view>

namespace sq {

// Replaces every occurrence of `what` in `text`, left to right and case-sensitively. Text that has
// just been put in is not looked at again, so a value that holds a placeholder of this same call
// stays as it is. An empty `what` leaves the text alone.
std::string ReplaceAll(const std::string& text, std::string_view what, std::string_view with);

}  // namespace sq

#include "media/genre_number.h"

#include "media/cls_mp3_error.h"

namespace sq {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int16_t> GenreNumberFromText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    std::string_view number = text.substr(begin, end - begin);

    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    for (char c : whole) {
        if (!IsDigit(c)) return std::nullopt;
    }
    for (char c : fraction) {
        if (!IsDigit(c)) return std::nullopt;
    }

    // The magnitude is kept exact up to just past the 16-bit range; any longer number overflows.
    constexpr std::int64_t kBeyondRange = 40000;
    std::int64_t magnitude = 0;
    for (char c : whole) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kBeyondRange) magnitude = kBeyondRange;
    }
    if (!fraction.empty()) {
        const int first = fraction[0] - '0';
        bool beyond_half = first > 5;
        if (first == 5) {
            for (char c : fraction.substr(1)) {
                if (c != '0') beyond_half = true;
            }
        }
        const bool exactly_half = first == 5 && !beyond_half;
        if (beyond_half || (exactly_half && magnitude % 2 == 1)) ++magnitude;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT16_MIN || value > INT16_MAX) RaiseCause(cause::kOverflow);
    return static_cast<std::int16_t>(value);
}

}  // namespace sq

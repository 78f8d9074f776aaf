#pragma once
// The one line a failure caught at a boundary leaves in the debugger's output:
// "Sonoquill: <where>: <what> (0x<code>)", and after a caught exception
// "Sonoquill: <where>: <what>: <what was caught> (0x<code>)". Composed by hand into a fixed
// buffer: the C library's formatted output would carry its whole floating-point formatter into
// the wrapper, a fifth of its size, for one hexadecimal number. Texts too long for the line are
// cut; the code never is.
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <initializer_list>

namespace sq {

constexpr std::size_t kTraceLineCapacity = 256;  // characters, the terminating NUL included

inline void ComposeTraceLine(wchar_t (&line)[kTraceLineCapacity], const wchar_t* where, const wchar_t* what,
                             std::uint32_t code, const wchar_t* caught = nullptr) noexcept {
    wchar_t suffix[] = L" (0x00000000)\n";
    for (int digit = 0; digit < 8; ++digit) suffix[4 + digit] = L"0123456789ABCDEF"[(code >> (28 - 4 * digit)) & 0xFu];
    constexpr std::size_t kSuffixLength = sizeof suffix / sizeof suffix[0] - 1;

    const wchar_t* const text_end = line + kTraceLineCapacity - 1 - kSuffixLength;
    wchar_t* at = line;
    for (const wchar_t* text : {L"Sonoquill: ", where ? where : L"?", L": ", what ? what : L"?", caught ? L": " : L"",
                                caught ? caught : L""}) {
        while (at < text_end && *text) *at++ = *text++;
    }
    for (const wchar_t* text = suffix; *text;) *at++ = *text++;
    *at = L'\0';
}

// The kinds of failure (where, what, code, and the kind of exception caught, if one was) already
// traced where the same failure could otherwise fill the debugger's output with one line a
// second. Once its room is used up, every further kind counts as new each time: a line too many
// rather than one missing.
class TracedKinds {
public:
    // True the first time a kind is met.
    bool FirstTime(const wchar_t* where, const wchar_t* what, std::uint32_t code,
                   const wchar_t* caught_kind = nullptr) noexcept {
        for (std::size_t i = 0; i < count_; ++i) {
            const Kind& kind = kinds_[i];
            if (kind.code == code && Same(kind.where, where) && Same(kind.what, what) && Same(kind.caught_kind, caught_kind))
                return false;
        }
        if (count_ < kRoom) kinds_[count_++] = Kind{where, what, code, caught_kind};
        return true;
    }

private:
    struct Kind {
        const wchar_t* where;
        const wchar_t* what;
        std::uint32_t code;
        const wchar_t* caught_kind;
    };
    static constexpr std::size_t kRoom = 32;

    static bool Same(const wchar_t* a, const wchar_t* b) noexcept {
        return a == b || (a && b && std::wcscmp(a, b) == 0);
    }

    Kind kinds_[kRoom] = {};
    std::size_t count_ = 0;
};

}  // namespace sq

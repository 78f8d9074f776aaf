#pragma once
// What a catch-all caught, told apart the one way every boundary tells it: out of memory, a
// standard exception (with its own text), or anything else. Portable, so that the core's tests
// show it; common/win32_debug_trace.h writes it to the debugger's output.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <new>

namespace sq {

inline constexpr std::uint32_t kOutOfMemoryCode = 0x8007000Eu;  // E_OUTOFMEMORY
inline constexpr std::uint32_t kUnexpectedCode = 0x8000FFFFu;   // E_UNEXPECTED

struct CaughtException {
    static constexpr std::size_t kTextCapacity = 128;  // characters, the terminating NUL included

    const wchar_t* kind;  // "out of memory", "standard exception" or "unexpected exception": a literal
    std::uint32_t code;   // the HRESULT a COM caller is given for it
    // What the trace line shows: a standard exception's own text (ASCII; any other byte as "?",
    // cut to the capacity), otherwise the kind. Held here: out of memory allows no allocation.
    wchar_t text[kTextCapacity];
};

// Only inside a catch block: the exception being handled.
inline CaughtException ClassifyCaughtException() noexcept {
    CaughtException caught{L"unexpected exception", kUnexpectedCode, {}};
    const char* own_text = nullptr;
    try {
        throw;
    } catch (const std::bad_alloc&) {
        caught.kind = L"out of memory";
        caught.code = kOutOfMemoryCode;
    } catch (const std::exception& standard) {
        caught.kind = L"standard exception";
        own_text = standard.what();
    } catch (...) {
    }
    std::size_t length = 0;
    if (own_text && *own_text) {
        for (; own_text[length] && length < CaughtException::kTextCapacity - 1; ++length) {
            const auto byte = static_cast<unsigned char>(own_text[length]);
            caught.text[length] = byte >= 0x20 && byte < 0x7F ? static_cast<wchar_t>(byte) : L'?';
        }
    } else {
        for (; caught.kind[length]; ++length) caught.text[length] = caught.kind[length];
    }
    caught.text[length] = L'\0';
    return caught;
}

}  // namespace sq

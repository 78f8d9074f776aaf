#include "common/caught_exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

sq::CaughtException Caught(const std::function<void()>& thrower) {
    try {
        thrower();
    } catch (...) {
        return sq::ClassifyCaughtException();
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}

TEST(CaughtException, OutOfMemoryAStandardExceptionWithItsTextOrAnythingElse) {
    const std::string long_text(300, 'x');
    const struct {
        const char* name;
        std::function<void()> thrower;
        std::uint32_t code;
        std::wstring text;
    } rows[] = {
        {"bad_alloc", [] { throw std::bad_alloc(); }, sq::kOutOfMemoryCode, L"out of memory"},
        {"runtime_error", [] { throw std::runtime_error("disk gone"); }, sq::kUnexpectedCode, L"disk gone"},
        {"no text of its own", [] { throw std::runtime_error(""); }, sq::kUnexpectedCode, L"standard exception"},
        {"bytes outside printable ASCII",
         [] { throw std::runtime_error("caf\xC3\xA9\n"); }, sq::kUnexpectedCode, L"caf???"},
        {"text longer than the room", [&] { throw std::length_error(long_text); }, sq::kUnexpectedCode,
         std::wstring(sq::CaughtException::kTextCapacity - 1, L'x')},
        {"not a standard exception", [] { throw 42; }, sq::kUnexpectedCode, L"unexpected exception"},
    };
    for (const auto& row : rows) {
        const sq::CaughtException caught = Caught(row.thrower);
        EXPECT_EQ(caught.code, row.code) << row.name;
        EXPECT_EQ(std::wstring(caught.text), row.text) << row.name;
    }
}

}  // namespace

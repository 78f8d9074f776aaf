#include "common/trace_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TraceLine, NamesWhereWhatAndTheCode) {
    wchar_t line[sq::kTraceLineCapacity];
    sq::ComposeTraceLine(line, L"Invoke", L"out of memory", 0x8007000Eu);
    EXPECT_EQ(std::wstring(line), L"Sonoquill: Invoke: out of memory (0x8007000E)\n");
    sq::ComposeTraceLine(line, nullptr, nullptr, 0);
    EXPECT_EQ(std::wstring(line), L"Sonoquill: ?: ? (0x00000000)\n");
    sq::ComposeTraceLine(line, L"xTran", L"a report cannot be handled", 0x8000FFFFu, L"disk gone");
    EXPECT_EQ(std::wstring(line), L"Sonoquill: xTran: a report cannot be handled: disk gone (0x8000FFFF)\n");
}

TEST(TraceLine, TextTooLongForTheLineIsCutButTheCodeIsKept) {
    struct {
        wchar_t line[sq::kTraceLineCapacity];
        wchar_t guard = L'#';
    } out;
    const std::wstring long_text(400, L'w');
    sq::ComposeTraceLine(out.line, L"where", long_text.c_str(), 0xDEADBEEFu);
    const std::wstring text(out.line);
    EXPECT_EQ(text.size(), sq::kTraceLineCapacity - 1);
    EXPECT_EQ(text.substr(text.size() - 14), L" (0xDEADBEEF)\n");
    EXPECT_EQ(out.guard, L'#');
}

TEST(TracedKinds, EachKindCountsOnceAndTheTextDecidesNotItsAddress) {
    sq::TracedKinds traced;
    const std::wstring tick = L"tick";
    const struct {
        const wchar_t* where;
        const wchar_t* what;
        std::uint32_t code;
        bool first;
        const wchar_t* caught_kind = nullptr;
    } rows[] = {
        {L"frmMain", L"tick", 0x8000FFFFu, true},
        {L"frmMain", tick.c_str(), 0x8000FFFFu, false},  // the same text at another address
        {L"frmMain", L"tick", 0x8007000Eu, true},
        {L"xTran", L"tick", 0x8000FFFFu, true},
        {L"frmMain", L"paint", 0x8000FFFFu, true},
        {nullptr, nullptr, 0, true},
        {nullptr, nullptr, 0, false},
        {L"frmMain", L"tick", 0x8007000Eu, false},
        // The same code after two kinds of exception: a standard one, then anything else.
        {L"frmMain", L"tick", 0x8000FFFFu, true, L"standard exception"},
        {L"frmMain", L"tick", 0x8000FFFFu, true, L"unexpected exception"},
        {L"frmMain", L"tick", 0x8000FFFFu, false, L"standard exception"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(traced.FirstTime(row.where, row.what, row.code, row.caught_kind), row.first) << row.code;
}

}  // namespace

#include <gtest/gtest.h>

#include "media/cls_mp3_error.h"

namespace {

TEST(ClsMP3Error, CausesCarryTheClassicRuntimeTexts) {
    const struct {
        long number;
        const char* text;
    } rows[] = {
        {5, "Invalid procedure call or argument"}, {6, "Overflow"}, {7, "Out of memory"},
        {9, "Subscript out of range"}, {11, "Division by zero"}, {13, "Type mismatch"},
        {53, "File not found"}, {57, "Device I/O error"}, {62, "Input past end of file"},
        {70, "Permission denied"}, {75, "Path/File access error"},
    };
    for (const auto& row : rows) {
        const sq::ClsMP3Error cause = sq::Cause(row.number);
        EXPECT_EQ(cause.Number, row.number);
        EXPECT_EQ(cause.Description, row.text);
    }
}

TEST(ClsMP3Error, EachLevelAddsToTheNumberAndWordsTheDescriptionItsWay) {
    const sq::ClsMP3Error missing = sq::Cause(53);
    const sq::ClsMP3Error in_step = sq::WrapInFileStep(missing, "C:\\Music\\a.mp3");
    EXPECT_EQ(in_step.Number, 53 + 9994);
    EXPECT_EQ(in_step.Source, "clsMP3");
    EXPECT_EQ(in_step.Description, "File not found in clsMP3 (C:\\Music\\a.mp3)");

    const sq::ClsMP3Error in_read = sq::WrapInReadMP3(in_step);
    EXPECT_EQ(in_read.Number, 20041);
    EXPECT_EQ(in_read.Source, "clsMP3");
    EXPECT_EQ(in_read.Description, "File not found in clsMP3 (C:\\Music\\a.mp3)");

    const sq::ClsMP3Error in_class = sq::WrapInClass(sq::Cause(5));
    EXPECT_EQ(in_class.Number, 9999);
    EXPECT_EQ(in_class.Source, "clsMP3");
    EXPECT_EQ(in_class.Description, "Invalid procedure call or argument in clsMP3");
}

}  // namespace

#include "common/letter_case.h"

#include <gtest/gtest.h>

namespace sq {
namespace {

TEST(LetterCase, LowersAToZAndNothingBesideThem) {
    const std::pair<const char*, const char*> rows[] = {
        {"@AZ[", "@az["},  // the neighbours of A and Z
        {"`az{", "`az{"},
        {"C:\\MUSIC\\\xC4rger", "c:\\music\\\xC4rger"},  // the code page's own letters are not ASCII's
        {"", ""},
    };
    for (const auto& [text, lower] : rows) EXPECT_EQ(LowerCase(text), lower) << text;
}

}  // namespace
}  // namespace sq

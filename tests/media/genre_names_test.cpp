#include "media/genre_names.h"

#include <gtest/gtest.h>

namespace {

TEST(GenreName, NamesAsThePlayerSpellsThem) {
    const struct {
        int number;
        const char* name;
    } rows[] = {
        {0, "Blues"},           {1, "Classic Rock"},     {12, "Other"},        {14, "R&B"},
        {17, "Rock"},           {18, "Techno"},          {29, "Jazz+Funk"},    {40, "AlternRock"},
        {51, "Techno-Indistrial"}, {59, "Gansta"},       {60, "Top 40"},       {62, "Pop/Funk"},
        {67, "Psychaledic"},    {78, "Rock & Roll"},     {93, "Psychadelic Rock"}, {100, "Humour"},
        {109, "Porn Groove"},   {123, "A Capella"},      {124, "Euro-House"},  {125, "Dance Hall"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(sq::GenreName(static_cast<std::int16_t>(row.number)), row.name) << "genre " << row.number;
    }
}

TEST(GenreName, EveryNumberOutsideTheTableIsEmpty) {
    for (int number : {126, 127, 200, 255, 256, 32767, -1, -32768}) {
        EXPECT_EQ(sq::GenreName(static_cast<std::int16_t>(number)), "") << "genre " << number;
    }
    for (int number = 0; number <= 125; ++number) {
        EXPECT_FALSE(sq::GenreName(static_cast<std::int16_t>(number)).empty()) << "genre " << number;
    }
}

}  // namespace

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// What the refusal boxes say: the text as typed, and the slip it shows.
#include "categories/categories.h"
#include "core/refusal.h"

#include <gtest/gtest.h>

using namespace tolvaren;

namespace {

struct Row {
    const char *name;
    std::string_view typed;
    const char *message;
};

// A failing row is named, not dumped as bytes.
void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

const Row kInputRows[] = {
    {"Letters", "abc", "Input value is not a number"},
    {"DecimalComma", "1,5", "Input value is not a number. Use a point for decimals: \"1.5\"."},
    {"DecimalCommaBlanksAround", " -1,5E3 ", "Input value is not a number. Use a point for decimals: \"-1.5E3\"."},
    {"CommaFirst", ",5", "Input value is not a number. Use a point for decimals: \".5\"."},
    {"TwoCommas", "1,000,5", "Input value is not a number"},
    {"CommaAndPoint", "1,5.2", "Input value is not a number"},
    {"CommaNoNumber", "1,x", "Input value is not a number"},
};

const Row kUnitRows[] = {
    {"OtherCase", "meter", "Unknown unit: \"meter\". Did you mean \"Meter\"?"},
    {"TrailingBlank", "Meter ", "Unknown unit: \"Meter \". Did you mean \"Meter\"?"},
    {"BlanksAndCase", "\tFEET  ", "Unknown unit: \"\tFEET  \". Did you mean \"Feet\"?"},
    {"Abbreviation", "ft", "Unknown unit: \"ft\". Pick a unit from the list."},
    {"BlankInside", "Kilo meter", "Unknown unit: \"Kilo meter\". Pick a unit from the list."},
    {"CutShort", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
     "Unknown unit: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\u2026\". Pick a unit from the list."},
    // 41 characters, the last one of four bytes: cut between characters.
    {"CutBetweenCharacters", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u00e9\U0001F600b",
     "Unknown unit: \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\u00e9\u2026\". Pick a unit from the list."},
};

class InputRefusal : public testing::TestWithParam<Row> {};
class UnitRefusal : public testing::TestWithParam<Row> {};

TEST_P(InputRefusal, SaysWhatIsWrong) { EXPECT_EQ(notANumberMessage(GetParam().typed), GetParam().message); }

TEST_P(UnitRefusal, SaysWhatIsWrong)
{
    EXPECT_EQ(unknownUnitMessage(GetParam().typed, distanceCategory().units), GetParam().message);
}

std::string rowName(const testing::TestParamInfo<Row> &info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Refusal, InputRefusal, testing::ValuesIn(kInputRows), rowName);
INSTANTIATE_TEST_SUITE_P(Refusal, UnitRefusal, testing::ValuesIn(kUnitRows), rowName);

} // namespace

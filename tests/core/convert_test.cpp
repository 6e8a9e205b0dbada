// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The Convert procedure: check order, the five incomplete tests,
// the same-unit check, the table evaluation and what each outcome leaves in
// the conversion memory.
#include "categories/categories.h"
#include "core/convert.h"
#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

using namespace tolvaren;
using Kind = ConvertOutcome::Kind;

namespace {

constexpr double kInf = HUGE_VAL;

// Made-up tables name their own units.
constexpr std::string_view kAB[] = {"A", "B", "b"};

// A memory that held values before the run, so "untouched" can be seen.
constexpr ConversionMemory kHeld{7.0, 8.0};

using Field = ConvertOutcome::Field;

struct Row {
    const char *name;
    std::string_view input, from, to;
    Kind kind;
    const char *text;       // the result text (unused for the other outcomes)
    ConversionMemory after; // the memory afterwards, starting from kHeld
    Field refused = Field::None;
};

const Row kRows[] = {
    // The five incomplete-data tests, each on its own.
    {"EmptyInput", "", "Meter", "Inch", Kind::IncompleteData, "", kHeld},
    {"EmptyTo", "2", "Meter", "", Kind::IncompleteData, "", kHeld},
    {"FromPlaceholder", "2", "This unit...", "Inch", Kind::IncompleteData, "", kHeld},
    {"EmptyFrom", "2", "", "Inch", Kind::IncompleteData, "", kHeld},
    {"ToPlaceholder", "2", "Meter", "...converted to", Kind::IncompleteData, "", kHeld},
    // Incomplete comes before every other check.
    {"EmptyInputSameUnit", "", "Meter", "Meter", Kind::IncompleteData, "", kHeld},
    {"BothEmptyLists", "2", "", "", Kind::IncompleteData, "", kHeld},
    {"BothPlaceholdersInPlace", "2", "This unit...", "...converted to", Kind::IncompleteData, "", kHeld},
    {"IncompleteBeforeNotANumber", "abc", "This unit...", "Inch", Kind::IncompleteData, "", kHeld},
    // Same text in both lists: exact and case-sensitive, units or not, and
    // before the input is read.
    {"SameUnit", "2", "Meter", "Meter", Kind::SameUnit, "", kHeld},
    {"SameNonUnit", "2", "abc", "abc", Kind::SameUnit, "", kHeld},
    {"SameBlankText", "2", " ", " ", Kind::SameUnit, "", kHeld},
    {"SameUnitBeforeNotANumber", "abc", "abc", "abc", Kind::SameUnit, "", kHeld},
    // An input that is not wholly a number is refused, before the units.
    {"Letters", "abc", "Meter", "Inch", Kind::NotANumber, "", kHeld, Field::Input},
    {"BlanksOnlyInput", "   ", "Meter", "Inch", Kind::NotANumber, "", kHeld, Field::Input},
    {"TrailingLetters", "12abc", "Meter", "Centimeter", Kind::NotANumber, "", kHeld, Field::Input},
    {"NotANumberBeforeUnknownUnit", "abc", "meter", "Inch", Kind::NotANumber, "", kHeld, Field::Input},
    // A unit text not in the list is refused: exact, case-sensitive, blanks
    // count, placeholders are tested only in their own list.
    {"LowerCaseFrom", "2", "meter", "Inch", Kind::UnknownUnit, "", kHeld, Field::From},
    {"LowerCaseTo", "2", "Meter", "meter", Kind::UnknownUnit, "", kHeld, Field::To},
    {"TrailingBlankTo", "5", "Meter", "Feet ", Kind::UnknownUnit, "", kHeld, Field::To},
    {"PlaceholdersSwapped", "2", "...converted to", "This unit...", Kind::UnknownUnit, "", kHeld, Field::From},
    {"PlaceholderWithBlank", "2", "This unit... ", "Inch", Kind::UnknownUnit, "", kHeld, Field::From},
    {"BothUnknownNamesFrom", "2", "abc", "def", Kind::UnknownUnit, "", kHeld, Field::From},
    {"UnknownUnitBeforeOverflow", "-1E400", "abc", "def", Kind::UnknownUnit, "", kHeld, Field::From},
    // Reading the input and evaluating the table.
    {"Result", "1", "Meter", "Inch", Kind::Result, " 39.37", {1, 39.37}},
    {"NegativeResult", "-1", "Meter", "Centimeter", Kind::Result, "-100", {-1, -100}},
    // Overflow: the output is not produced; the stored step stays.
    {"OverflowLastStep", "1E308", "Meter", "Inch", Kind::Overflow, "", {1E308, kInf}},
    {"OverflowNegative", "-1E308", "Meter", "Inch", Kind::Overflow, "", {-1E308, -kInf}},
    {"OverflowOfVal", "1E400", "Meter", "Inch", Kind::Overflow, "", {0, 0}},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class ConvertTable : public testing::TestWithParam<Row> {};

TEST_P(ConvertTable, OutcomeAndMemory)
{
    const Row &row = GetParam();
    ConversionMemory memory = kHeld;
    const ConvertOutcome out =
        convert(row.input, row.from, row.to, distanceCategory().units, distanceCategory().rules, memory);
    EXPECT_EQ(out.kind, row.kind);
    EXPECT_EQ(out.refused, row.refused);
    if (row.kind == Kind::Result) {
        EXPECT_EQ(out.result, row.text);
    }
    EXPECT_EQ(memory.inputValue, row.after.inputValue);
    EXPECT_EQ(memory.resultValue, row.after.resultValue);
}

INSTANTIATE_TEST_SUITE_P(Convert, ConvertTable, testing::ValuesIn(kRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Temperature: an overflow in an intermediate step ends the run before
// anything reaches resultValue.
TEST(Convert, IntermediateOverflowLeavesResultZero)
{
    for (auto [input, from, to] : {std::array<const char *, 3>{"1E308", "deg. C", "deg. F"},
                                   {"-1.5E308", "deg. C", "deg. F"},
                                   {"1.7E308", "K", "deg. F"}}) {
        SCOPED_TRACE(std::string(input) + " " + from + " -> " + to);
        ConversionMemory memory = kHeld;
        EXPECT_EQ(convert(input, from, to, temperatureCategory().units, temperatureCategory().rules, memory).kind,
                  Kind::Overflow);
        EXPECT_EQ(memory.inputValue, Val(input).value);
        EXPECT_EQ(memory.resultValue, 0.0);
    }
}

// Made-up tables show the evaluation rules that the real tables,
// having one rule per pair, cannot show.

TEST(Convert, LastMatchingRuleWins)
{
    const std::vector<PairRule> c{
        {"A", "B", {times(2)}},
        {"B", "A", {times(5)}},
        {"A", "B", {times(3)}},
        {"A", "b", {times(7)}},
    };
    ConversionMemory memory;
    const ConvertOutcome out = convert("10", "A", "B", kAB, c, memory);
    EXPECT_EQ(out.kind, Kind::Result);
    EXPECT_EQ(out.result, " 30");
    EXPECT_EQ(memory.resultValue, 30);
}

TEST(Convert, OverflowInAnEarlierMatchEndsTheRun)
{
    const std::vector<PairRule> c{{"A", "B", {times(1E300)}}, {"A", "B", {times(1)}}};
    ConversionMemory memory;
    EXPECT_EQ(convert("1E10", "A", "B", kAB, c, memory).kind, Kind::Overflow);
    EXPECT_EQ(memory.resultValue, kInf);
    EXPECT_EQ(convert("1", "A", "B", kAB, c, memory).result, " 1");
}

TEST(Convert, DivisionByZeroAndInvalidAreOverflow)
{
    const std::vector<PairRule> c{{"A", "B", {over(0.0)}}, {"B", "A", {over(0.0), plus(1)}}};
    ConversionMemory memory = kHeld;
    EXPECT_EQ(convert("5", "A", "B", kAB, c, memory).kind, Kind::Overflow); // 5 / 0
    EXPECT_EQ(memory.inputValue, 5);
    EXPECT_EQ(memory.resultValue, kInf);
    EXPECT_EQ(convert("0", "A", "B", kAB, c, memory).kind, Kind::Overflow); // 0 / 0
    EXPECT_TRUE(std::isnan(memory.resultValue));
    EXPECT_EQ(convert("5", "B", "A", kAB, c, memory).kind, Kind::Overflow); // first of two steps
    EXPECT_EQ(memory.resultValue, 0.0);
}

TEST(Convert, UnderflowIsNoError)
{
    const std::vector<PairRule> c{{"A", "B", {times(1E-300)}}};
    ConversionMemory memory;
    const ConvertOutcome out = convert("1E-300", "A", "B", kAB, c, memory);
    EXPECT_EQ(out.kind, Kind::Result);
    EXPECT_EQ(out.result, " 0");
    EXPECT_EQ(memory.resultValue, 0.0);
}

} // namespace

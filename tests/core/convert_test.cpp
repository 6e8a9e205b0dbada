// The Convert procedure: check order, the five incomplete tests,
// the same-unit check, the table evaluation and what each outcome leaves in
// the conversion memory.
#include "convert/procedure.h"
#include "runtime/numbertext.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

using namespace tolvaren;
using Kind = ConvertOutcome::Kind;

namespace {

constexpr double kInf = HUGE_VAL;

// A memory that held values before the run, so "untouched" can be seen.
constexpr ConversionMemory kHeld{7.0, 8.0};

struct Row {
    const char *name;
    std::string_view input, from, to;
    Kind kind;
    const char *text;       // the message or the result text (unused for Overflow/SameUnit)
    ConversionMemory after; // the memory afterwards, starting from kHeld
};

const Row kRows[] = {
    // The five incomplete-data tests, each on its own.
    {"EmptyInput", "", "Meter", "Inch", Kind::IncompleteData, "Incomplete data", kHeld},
    {"EmptyTo", "2", "Meter", "", Kind::IncompleteData, "Incomplete data", kHeld},
    {"FromPlaceholder", "2", "This unit...", "Inch", Kind::IncompleteData, "Incomplete data", kHeld},
    {"EmptyFrom", "2", "", "Inch", Kind::IncompleteData, "Incomplete data", kHeld},
    {"ToPlaceholder", "2", "Meter", "...converted to", Kind::IncompleteData, "Incomplete data", kHeld},
    // Incomplete comes before same unit.
    {"EmptyInputSameUnit", "", "Meter", "Meter", Kind::IncompleteData, "Incomplete data", kHeld},
    {"BothEmptyLists", "2", "", "", Kind::IncompleteData, "Incomplete data", kHeld},
    {"BothPlaceholdersInPlace", "2", "This unit...", "...converted to", Kind::IncompleteData, "Incomplete data", kHeld},
    // Placeholders are tested only in their own list; blanks are not empty.
    {"PlaceholdersSwapped", "2", "...converted to", "This unit...", Kind::Result, " 0", {2, 0}},
    {"BlanksOnlyInput", "   ", "Meter", "Inch", Kind::Result, " 0", {0, 0}},
    {"PlaceholderWithBlank", "2", "This unit... ", "Inch", Kind::Result, " 0", {2, 0}},
    // Same text in both lists: exact and case-sensitive, units or not.
    {"SameUnit", "2", "Meter", "Meter", Kind::SameUnit, "", kHeld},
    {"SameNonUnit", "2", "abc", "abc", Kind::SameUnit, "", kHeld},
    {"SameBlankText", "2", " ", " ", Kind::SameUnit, "", kHeld},
    {"DifferentCase", "2", "Meter", "meter", Kind::Result, " 0", {2, 0}},
    {"TrailingBlank", "2", "Meter", "Meter ", Kind::Result, " 0", {2, 0}},
    // Reading the input and evaluating the table.
    {"Result", "1", "Meter", "Inch", Kind::Result, " 39.37", {1, 39.37}},
    {"NegativeResult", "-1", "Meter", "Centimeter", Kind::Result, "-100", {-1, -100}},
    {"LeadingNumber", "12abc", "Meter", "Centimeter", Kind::Result, " 1200", {12, 1200}},
    {"NoNumber", "abc", "Meter", "Inch", Kind::Result, " 0", {0, 0}},
    {"NoRuleLowerCase", "2", "meter", "Inch", Kind::Result, " 0", {2, 0}},
    {"NoRulePlural", "1", "Meters", "Inch", Kind::Result, " 0", {1, 0}},
    // Overflow: the output is not produced; the stored step stays.
    {"OverflowLastStep", "1E308", "Meter", "Inch", Kind::Overflow, "", {1E308, kInf}},
    {"OverflowNegative", "-1E308", "Meter", "Inch", Kind::Overflow, "", {-1E308, -kInf}},
    {"OverflowOfVal", "1E400", "Meter", "Inch", Kind::Overflow, "", {0, 0}},
    {"OverflowOfValNoRule", "-1E400", "abc", "def", Kind::Overflow, "", {0, 0}},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class ConvertTable : public testing::TestWithParam<Row> {};

TEST_P(ConvertTable, OutcomeAndMemory)
{
    const Row &row = GetParam();
    ConversionMemory memory = kHeld;
    const ConvertOutcome out = convert(row.input, row.from, row.to, distanceCategory(), memory);
    EXPECT_EQ(out.kind, row.kind);
    if (row.kind == Kind::Result || row.kind == Kind::IncompleteData) {
        EXPECT_EQ(out.text, row.text);
    }
    EXPECT_EQ(memory.InputValue, row.after.InputValue);
    EXPECT_EQ(memory.ResultValue, row.after.ResultValue);
}

INSTANTIATE_TEST_SUITE_P(Convert, ConvertTable, testing::ValuesIn(kRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Temperature: an overflow in an intermediate step ends the run before
// anything reaches ResultValue.
TEST(Convert, IntermediateOverflowLeavesResultZero)
{
    for (auto [input, from, to] : {std::array<const char *, 3>{"1E308", "deg. C", "deg. F"},
                                   {"-1.5E308", "deg. C", "deg. F"},
                                   {"1.7E308", "K", "deg. F"}}) {
        SCOPED_TRACE(std::string(input) + " " + from + " -> " + to);
        ConversionMemory memory = kHeld;
        EXPECT_EQ(convert(input, from, to, temperatureCategory(), memory).kind, Kind::Overflow);
        EXPECT_EQ(memory.InputValue, Val(input).value);
        EXPECT_EQ(memory.ResultValue, 0.0);
    }
}

// A made-up category to show the evaluation rules that the real tables,
// having one rule per pair, cannot show.
constexpr std::array<std::string_view, 2> kUnits{"A", "B"};

Category customCategory(std::vector<PairRule> rules)
{
    return {CategoryId::Distance, "Custom", kUnits, std::move(rules), "Custom incomplete", "", "", "", ""};
}

TEST(Convert, LastMatchingRuleWins)
{
    const Category c = customCategory({
        {"A", "B", {times(2)}},
        {"B", "A", {times(5)}},
        {"A", "B", {times(3)}},
        {"A", "b", {times(7)}},
    });
    ConversionMemory memory;
    const ConvertOutcome out = convert("10", "A", "B", c, memory);
    EXPECT_EQ(out.kind, Kind::Result);
    EXPECT_EQ(out.text, " 30");
    EXPECT_EQ(memory.ResultValue, 30);
    EXPECT_EQ(convert("", "A", "B", c, memory).text, "Custom incomplete");
}

TEST(Convert, OverflowInAnEarlierMatchEndsTheRun)
{
    const Category c = customCategory({{"A", "B", {times(1E300)}}, {"A", "B", {times(1)}}});
    ConversionMemory memory;
    EXPECT_EQ(convert("1E10", "A", "B", c, memory).kind, Kind::Overflow);
    EXPECT_EQ(memory.ResultValue, kInf);
    EXPECT_EQ(convert("1", "A", "B", c, memory).text, " 1");
}

TEST(Convert, DivisionByZeroAndInvalidAreOverflow)
{
    const Category c = customCategory({{"A", "B", {over(0.0)}}, {"B", "A", {over(0.0), plus(1)}}});
    ConversionMemory memory = kHeld;
    EXPECT_EQ(convert("5", "A", "B", c, memory).kind, Kind::Overflow); // 5 / 0
    EXPECT_EQ(memory.InputValue, 5);
    EXPECT_EQ(memory.ResultValue, kInf);
    EXPECT_EQ(convert("0", "A", "B", c, memory).kind, Kind::Overflow); // 0 / 0
    EXPECT_TRUE(std::isnan(memory.ResultValue));
    EXPECT_EQ(convert("5", "B", "A", c, memory).kind, Kind::Overflow); // first of two steps
    EXPECT_EQ(memory.ResultValue, 0.0);
}

TEST(Convert, UnderflowIsNoError)
{
    const Category c = customCategory({{"A", "B", {times(1E-300)}}});
    ConversionMemory memory;
    const ConvertOutcome out = convert("1E-300", "A", "B", c, memory);
    EXPECT_EQ(out.kind, Kind::Result);
    EXPECT_EQ(out.text, " 0");
    EXPECT_EQ(memory.ResultValue, 0.0);
}

} // namespace

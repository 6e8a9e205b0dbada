// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Go of the prefix converter: the prefix table applied to the number typed,
// and the refusals of what is no number.
#include "core/prefix.h"

#include <gtest/gtest.h>

#include <string>

using namespace tolvaren;
using Kind = GoOutcome::Kind;

namespace {

struct Row {
    const char *name;
    std::string_view input, prefix;
    Kind kind;
    const char *output = "";
    const char *caption = "";
};

const Row kRows[] = {
    {"Kilo1", "1", "Kilo", Kind::Result, " 1000", "Kilo = 1.00 x 10 raced to 3"},
    {"Tetra2", "2", "Tetra", Kind::Result, " 2000000000000", "Tetra = 1.00 x 10 raced to 12"},
    {"Centi250", "250", "Centi", Kind::Result, " 2.5", "Centi = 1.00 x 10 raced to -2"},
    {"MilliMinus4", "-4", "Milli", Kind::Result, "-.004", "Milli = 1.00 x 10 raced to -3"},
    {"Deci3", "3", "Deci", Kind::Result, " .3", "Deci = 1.00 x 10 raced to -1"},
    // The prefixes the rows around them leave out, one unit each.
    {"Giga1", "1", "Giga", Kind::Result, " 1000000000", "Giga = 1.00 x 10 raced to 9"},
    {"Mega1", "1", "Mega", Kind::Result, " 1000000", "Mega = 1.00 x 10 raced to 6"},
    {"Hecto1", "1", "Hecto", Kind::Result, " 100", "Hecto = 1.00 x 10 raced to 2"},
    {"Deka1", "1", "Deka", Kind::Result, " 10", "Deka = 1.00 x 10 raced to 1"},
    {"Micro1", "1", "Micro", Kind::Result, " .000001", "Micro = 1.00 x 10 raced to -6"},
    {"Nano1", "1", "Nano", Kind::Result, " .000000001", "Nano = 1.00 x 10 raced to -9"},
    // x * 0.1 and x / 10 differ here in the 15th digit: Go multiplies.
    {"DeciMultiplies", "885701991605173.5", "Deci", Kind::Result, " 88570199160517.4", "Deci = 1.00 x 10 raced to -1"},
    {"PicoSmall", "1", "Pico", Kind::Result, " .000000000001", "Pico = 1.00 x 10 raced to -12"},
    {"BlanksInside", " 1 5 ", "Hecto", Kind::Result, " 1500", "Hecto = 1.00 x 10 raced to 2"},
    // An input that is not wholly a number is refused, whatever the prefix.
    {"LeadingNumber", "5km", "Hecto", Kind::NotANumber},
    {"Letters", "abc", "Kilo", Kind::NotANumber},
    {"LoneBlank", " ", "Giga", Kind::NotANumber},
    {"NotANumberUnknownPrefix", "abc", "kilo", Kind::NotANumber},
    {"UnknownPrefix", "5", "kilo", Kind::Result, " 0", ""},
    {"PrefixWithBlank", "5", "Kilo ", Kind::Result, " 0", ""},
    {"MissingInput", "", "Kilo", Kind::Missing},
    {"MissingPrefix", "1", "", Kind::Missing},
    {"MissingBoth", "", "", Kind::Missing},
    {"ProductOverflows", "1E300", "Tetra", Kind::Overflow},
    {"NegativeProductOverflows", "-1E300", "Tetra", Kind::Overflow},
    {"ValOverflows", "1E400", "Kilo", Kind::Overflow},
    {"ValOverflowsUnknownPrefix", "1E400", "nothing", Kind::Overflow},
    {"LargeButFinite", "1E300", "Pico", Kind::Result, " 1E+288", "Pico = 1.00 x 10 raced to -12"},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class GoTable : public testing::TestWithParam<Row> {};

TEST_P(GoTable, OutcomeOutputAndCaption)
{
    const Row &row = GetParam();
    const GoOutcome out = go(row.input, row.prefix);
    EXPECT_EQ(out.kind, row.kind);
    EXPECT_EQ(out.output, row.output);
    EXPECT_EQ(out.caption, row.caption);
}

INSTANTIATE_TEST_SUITE_P(Prefix, GoTable, testing::ValuesIn(kRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Every caption names its own prefix and every prefix can be chosen.
TEST(Prefix, EveryCaptionStartsWithItsName)
{
    ASSERT_EQ(prefixTable().size(), 12u);
    for (const Prefix &p : prefixTable()) {
        SCOPED_TRACE(std::string(p.name));
        EXPECT_EQ(p.caption.substr(0, p.name.size() + 3), std::string(p.name) + " = ");
        const GoOutcome out = go("1", p.name);
        EXPECT_EQ(out.kind, Kind::Result);
        EXPECT_EQ(out.caption, p.caption);
    }
}

} // namespace

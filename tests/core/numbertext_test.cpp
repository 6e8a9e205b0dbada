// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Val and Str: the reading and writing rules case by case, the same under a
// comma locale, as a round trip, and on texts of a million characters.
#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using tolvaren::Str;
using tolvaren::Val;

namespace {

struct ValRow {
    const char *name;
    std::string_view text;
    double value;
    bool overflow = false;
};

const std::string kManyDigits(400, '9');

const ValRow kValRows[] = {
    // 1. blanks, tabs, CR, LF are skipped anywhere
    {"BlanksInside", " 1 2 3", 123},
    {"StreetAddress", "    1615 198th Street N.E.", 1615198},
    {"TabCrLfInside", "\t1\r\n2", 12},
    // 2. one optional sign
    {"MinusMinus", "--1", 0},
    {"PlusMinus", "+-1", 0},
    {"LoneMinus", "-", 0},
    {"LonePlus", "+", 0},
    {"Negative", "-2.5", -2.5},
    {"Positive", "+7", 7},
    // 3. one decimal point; a comma is no point
    {"SecondPoint", "1.2.3", 1.2},
    {"LonePoint", ".", 0},
    {"PointFirst", ".5", 0.5},
    {"Comma", "1,5", 1},
    // 4. exponent letters
    {"ExpE", "1e3", 1000},
    {"ExpD", "1D3", 1000},
    {"ExpLowerD", "1d3", 1000},
    {"ExpNegative", "1.5e-3", 0.0015},
    {"ExpNoDigits", "1e", 1},
    {"ExpSignNoDigits", "1e+", 1},
    // 5. reading stops at the first misfit
    {"TrailingLetters", "12abc", 12},
    {"TwoNumbers", "24 and 57", 24},
    {"Percent", "50%", 50},
    {"Dollar", "$12", 0},
    {"CHex", "0x1F", 0},
    {"SuffixPercent", "1.5%", 1.5},
    {"SuffixAmp", "7&", 7},
    {"SuffixBang", "7!", 7},
    {"SuffixHash", "7#", 7},
    {"SuffixAt", "7@", 7},
    // 6. no number at the start
    {"Empty", "", 0},
    {"Letters", "abc", 0},
    {"BlanksOnly", "   ", 0},
    // 7. correct rounding, underflow to 0
    {"Underflow", "1E-400", 0},
    {"NearestDouble", "0.1", 0.1},
    {"Denormal", "4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
    {"LargestDouble", "1.7976931348623157E308", DBL_MAX},
    // 8. beyond the range: overflow
    {"Overflow", "1E400", 0, true},
    {"OverflowNegative", "-1E400", 0, true},
    {"OverflowJustPast", "1.8E308", 0, true},
    {"OverflowHugeExponent", "9e99999999999999999999", 0, true},
    {"UnderflowHugeExponent", "9e-99999999999999999999", 0},
    {"OverflowManyDigits", kManyDigits, 0, true},
    // 9. radix prefixes
    {"Hex10", "&H10", 16},
    {"HexFF", "&HFF", 255},
    {"Hex7FFF", "&H7FFF", 32767},
    {"Hex8000", "&H8000", -32768},
    {"HexFFFF", "&HFFFF", -1},
    {"Hex10000", "&H10000", 65536},
    {"HexFFFFFFFF", "&HFFFFFFFF", -1},
    {"Hex80000000", "&H80000000", -2147483648.0},
    {"HexLower", "&h1f", 31},
    {"HexStopsAtG", "&H1G", 1},
    {"HexNoDigits", "&H", 0},
    {"HexOnlyG", "&HG", 0},
    {"LoneAmp", "&", 0},
    {"Oct17", "&O17", 15},
    {"Oct177777", "&O177777", -1},
    {"Binary", "&B101", 0},
    {"HexLeadingZeros", "&H0000FFFF", -1},
    {"HexLongKeepsLow32", "&H1FFFFFFFF", -1},
    {"HexBlanks", " & H 1 0", 16},
};

void PrintTo(const ValRow &row, std::ostream *os) { *os << row.name; }

class ValTable : public testing::TestWithParam<ValRow> {};

void checkVal(const ValRow &row)
{
    const tolvaren::ValResult r = Val(row.text);
    EXPECT_EQ(r.overflow, row.overflow);
    if (!row.overflow) {
        EXPECT_EQ(r.value, row.value);
    }
}

TEST_P(ValTable, ReadsTheNumberAtTheStart) { checkVal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(NumberText, ValTable, testing::ValuesIn(kValRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Whether a text is wholly a number: what the forms convert and what they
// refuse.
struct NumberRow {
    const char *name;
    std::string_view text;
    bool number;
};

const NumberRow kNumberRows[] = {
    {"Digit", "5", true},
    {"BlanksAround", " 5 ", true},
    {"BlankInside", "1 000", true},
    {"NegativeZero", "-0", true},
    {"PointFirst", ".5", true},
    {"PointLast", "1.", true},
    {"Plus", "+8", true},
    {"Exponent", "1e3", true},
    {"ExponentD", "7D2", true},
    {"BeyondRange", "2e300", true},
    {"Hex", "&H1F", true},
    {"OctalLower", "&o17", true},
    {"Empty", "", false},
    {"LoneBlank", " ", false},
    {"Letters", "abc", false},
    {"DecimalComma", "1,5", false},
    {"TwoPoints", "1.2.3", false},
    {"TrailingLetters", "12abc", false},
    {"Percent", "50%", false},
    {"LetterO", "1O0", false},
    {"LoneMinus", "-", false},
    {"LonePoint", ".", false},
    {"ExponentNoDigits", "1e", false},
    {"HexNoDigits", "&H", false},
    {"HexBadDigit", "&H1G", false},
    {"Fraction", "\u00bd", false},
};

void PrintTo(const NumberRow &row, std::ostream *os) { *os << row.name; }

class NumberTable : public testing::TestWithParam<NumberRow> {};

TEST_P(NumberTable, IsWhollyANumber) { EXPECT_EQ(Val(GetParam().text).whole, GetParam().number); }

INSTANTIATE_TEST_SUITE_P(NumberText, NumberTable, testing::ValuesIn(kNumberRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct StrRow {
    const char *name;
    double value;
    const char *text;
};

const StrRow kStrRows[] = {
    {"Zero", 0.0, " 0"},
    {"NegativeZero", -0.0, " 0"},
    {"Integer", 459, " 459"},
    {"Negative", -459.65, "-459.65"},
    {"RoundsTo16_404", 16.404000000000003, " 16.404"},
    {"RoundsTo37", 36.99999999999999, " 37"},
    {"RoundsToMinus459_4", -459.40000000000003, "-459.4"},
    {"Half", 0.5, " .5"},
    {"MinusHalf", -0.5, "-.5"},
    {"MinusFourThousandths", -0.004, "-.004"},
    {"Day2Year", 0.0027, " .0027"},
    {"OneE5", 0.00001, " .00001"},
    // "%.15G" keeps exponents down to -4 in fixed notation whatever the
    // number of digits; the 15-decimal rule applies only below that.
    {"ThirtiethFixed", 1.0 / 30, " .0333333333333333"},
    {"HourToYearFixed", 1.0 / 8766.0, " .000114077116130504"},
    {"FifteenDigitsAtE5", 1.23456789012345E-05, " 1.23456789012345E-05"},
    {"Minute2Year", 1.901E-06, " .000001901"},
    {"FifteenDecimals", 5.6789E-11, " .000000000056789"},
    {"SixteenDecimals", 5.6789E-12, " 5.6789E-12"},
    {"OneE14", 1E-14, " .00000000000001"},
    {"OneE15", 1E-15, " 1E-15"},
    {"Third", 1.0 / 3, " .333333333333333"},
    {"Pi", 3.141592653589793, " 3.14159265358979"},
    {"FifteenNines", 999999999999999, " 999999999999999"},
    {"OneE15Big", 1E15, " 1E+15"},
    {"OnePoint2E15", 1.2E15, " 1.2E+15"},
    {"SixteenDigits", 1234567890123456, " 1.23456789012346E+15"},
    {"TwoE12", 2E12, " 2000000000000"},
    {"LargestDouble", DBL_MAX, " 1.79769313486232E+308"},
};

void PrintTo(const StrRow &row, std::ostream *os) { *os << row.name; }

class StrTable : public testing::TestWithParam<StrRow> {};

TEST_P(StrTable, WritesFifteenDigits) { EXPECT_EQ(Str(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(NumberText, StrTable, testing::ValuesIn(kStrRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NumberText, StrOfInfinityAndNaNIsDefined)
{
    EXPECT_EQ(Str(HUGE_VAL), " Inf");
    EXPECT_EQ(Str(-HUGE_VAL), "-Inf");
    EXPECT_EQ(Str(std::nan("")), " NaN");
}

// Val and Str never consult the process locale: under a locale whose
// decimal mark is a comma every row above reads and writes the same.
TEST(NumberText, CommaLocaleChangesNothing)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char *found = nullptr;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
                             "es_ES.UTF-8", "it_IT.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            found = name;
            break;
        }
    if (!found) {
        std::setlocale(LC_ALL, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma installed (locale -a)";
    }
    SCOPED_TRACE(found);
    for (const ValRow &row : kValRows) {
        SCOPED_TRACE(row.name);
        checkVal(row);
    }
    for (const StrRow &row : kStrRows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Str(row.value), row.text);
    }
    std::setlocale(LC_ALL, saved.c_str());
}

// Val(Str(x)) is x rounded to 15 significant digits, or the overflow when
// that rounding leaves the double range.
TEST(NumberText, RoundTripKeepsFifteenDigits)
{
    std::mt19937_64 gen(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::vector<double> xs{DBL_MAX, DBL_MIN, std::numeric_limits<double>::denorm_min(), 0.1 + 0.2, 2.0 / 3, 1E15 - 1};
    for (int e = -323; e <= 307; ++e)
        for (int k = 0; k < 3; ++k)
            xs.push_back(mantissa(gen) * std::pow(10.0, e));
    for (std::size_t i = 0, n = xs.size(); i < n; ++i)
        xs.push_back(-xs[i]);
    for (double x : xs) {
        char buf[64];
        const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14).ptr;
        double expected = 0.0;
        const bool outOfRange = std::from_chars(buf, end, expected).ec == std::errc::result_out_of_range;
        const std::string text = Str(x);
        SCOPED_TRACE(std::string(buf, end) + " -> \"" + text + "\"");
        const tolvaren::ValResult r = Val(text);
        if (outOfRange && std::fabs(x) > 1) {
            EXPECT_TRUE(r.overflow);
        } else {
            EXPECT_FALSE(r.overflow);
            EXPECT_EQ(r.value, outOfRange ? 0.0 : expected);
        }
    }
}

// Texts of a million characters and more: the reading is linear and exact.
TEST(NumberText, MillionCharacterTexts)
{
    constexpr std::size_t M = 1'000'000;
    const std::string blanks(M, ' ');
    EXPECT_EQ(Val("1" + blanks + "5").value, 15);
    EXPECT_EQ(Val(blanks + "-" + blanks + "2" + blanks + "." + blanks + "5").value, -2.5);
    EXPECT_EQ(Val("7" + std::string(M, 'x')).value, 7);
    EXPECT_EQ(Val("3" + std::string(M, '#') + "4").value, 3);
    EXPECT_EQ(Val("." + std::string(M, '0') + "1").value, 0);           // 1E-1000001
    EXPECT_EQ(Val("." + std::string(M, '0') + "1E1000000").value, 0.1); // scaled back
    EXPECT_EQ(Val("." + std::string(300, '0') + "1").value, 1E-301);
    EXPECT_EQ(Val(std::string(M, '0') + "42").value, 42); // leading zeros
    EXPECT_EQ(Val("4" + std::string(M, '0') + "E-1000000").value, 4);
    EXPECT_EQ(Val("." + std::string(M, '3')).value, 1.0 / 3); // many fraction digits
    EXPECT_TRUE(Val("1" + std::string(M, '0')).overflow);     // a million digits
    EXPECT_TRUE(Val(std::string(M, '9')).overflow);
    std::string mixed;
    for (std::size_t i = 0; mixed.size() < M; ++i)
        mixed += i % 3 ? "9 " : "\t";
    EXPECT_TRUE(Val(mixed).overflow);
    mixed += "junk";
    EXPECT_TRUE(Val("-" + mixed).overflow);
    EXPECT_EQ(Val("&H" + std::string(M, '0') + "7fff").value, 32767);
    // Telling whether such a text is a number is as linear.
    EXPECT_TRUE(Val(blanks + "-" + blanks + "2" + blanks + "." + blanks + "5" + blanks).whole);
    EXPECT_FALSE(Val("7" + std::string(M, 'x')).whole);
    EXPECT_FALSE(Val(std::string(M, '9') + "e").whole);
}

} // namespace

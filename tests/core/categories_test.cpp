// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The six category tables through the Convert procedure: the telling values
// of each table, a guard against typos in the tables, and the incomplete-data
// message of each category.
#include "categories/category.h"
#include "core/convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace tolvaren;

namespace {

struct Row {
    const char *name;
    std::string_view category;
    std::string_view input, from, to;
    const char *text;            // the output text; empty when the unit is refused
    double exact = std::nan(""); // resultValue to the last bit, where it matters
};

const Row kRows[] = {
    // Distance
    {"Distance_5MeterFeet", "distance", "5", "Meter", "Feet", " 16.404"},
    {"Distance_1MeterInch", "distance", "1", "Meter", "Inch", " 39.37"},
    {"Distance_100InchMeter", "distance", "100", "Inch", "Meter", " 2.54"},
    {"Distance_2p5InchCentimeter", "distance", "2.5", "Inch", "Centimeter", " 6.35"},
    {"Distance_2FeetInch", "distance", "2", "Feet", "Inch", " 24"},
    {"Distance_100FeetMeter", "distance", "100", "Feet", "Meter", " 30.5"},
    {"Distance_1MileMeter", "distance", "1", "Mile", "Meter", " 1610"},
    {"Distance_1MileFeet", "distance", "1", "Mile", "Feet", " 5282.14"},
    {"Distance_1KilometerMeter", "distance", "1", "Kilometer", "Meter", " 1000"},
    {"Distance_10CentimeterInch", "distance", "10", "Centimeter", "Inch", " 3.937"},
    {"Distance_Minus1MeterCentimeter", "distance", "-1", "Meter", "Centimeter", "-100"},
    {"Distance_12MeterCentimeter", "distance", "12", "Meter", "Centimeter", " 1200"},
    {"Distance_PluralMeters", "distance", "1", "Meters", "Inch", ""},
    {"Distance_Ft", "distance", "1", "Feet", "ft", ""},
    // Mass
    {"Mass_1PoundGram", "mass", "1", "Pound", "Gram", " 454"},
    {"Mass_1000GramKilogram", "mass", "1000", "Gram", "Kilogram", " 1"},
    {"Mass_1KilogramGram", "mass", "1", "Kilogram", "Gram", " 998.8"},
    {"Mass_2TonGram", "mass", "2", "Ton", "Gram", " 1997600"},
    {"Mass_Minus5PoundGram", "mass", "-5", "Pound", "Gram", "-2270"},
    {"Mass_12PoundKilogram", "mass", "12", "Pound", "Kilogram", " 5.4"},
    {"Mass_LowerCasePound", "mass", "1", "pound", "Gram", ""},
    // Temperature: offsets and factors in double steps, in order
    {"Temp_100CToF", "temperature", "100", "deg. C", "deg. F", " 212"},
    {"Temp_212FToC", "temperature", "212", "deg. F", "deg. C", " 100"},
    {"Temp_32FToK", "temperature", "32", "deg. F", "K", " 273"},
    {"Temp_373KToF", "temperature", "373", "K", "deg. F", " 212"},
    {"Temp_Minus40CToF", "temperature", "-40", "deg. C", "deg. F", "-40", -40},
    {"Temp_Minus40FToC", "temperature", "-40", "deg. F", "deg. C", "-40", -40},
    {"Temp_0KToC", "temperature", "0", "K", "deg. C", "-273", -273},
    {"Temp_0CToK", "temperature", "0", "deg. C", "K", " 273", 273},
    {"Temp_0KToF", "temperature", "0", "K", "deg. F", "-459.4", -459.40000000000003},
    {"Temp_98p6FToC", "temperature", "98.6", "deg. F", "deg. C", " 37", 36.99999999999999},
    {"Temp_37CToF", "temperature", "37", "deg. C", "deg. F", " 98.6", 98.60000000000001},
    {"Temp_NoBlankInUnit", "temperature", "5", "deg.C", "K", ""},
    // Volume
    {"Volume_1GallonQuart", "volume", "1", "Gallon", "Quart", " 4"},
    {"Volume_2LiterMililiter", "volume", "2", "Liter", "Mililiter", " 2000"},
    {"Volume_1000MililiterLiter", "volume", "1000", "Mililiter", "Liter", " 1"},
    {"Volume_1000MililiterQuart", "volume", "1000", "Mililiter", "Quart", " 1.06"},
    {"Volume_10LiterGallon", "volume", "10", "Liter", "Gallon", " 2.6"},
    {"Volume_10GallonLiter", "volume", "10", "Gallon", "Liter", " 37.85"},
    {"Volume_Minus2QuartMililiter", "volume", "-2", "Quart", "Mililiter", "-1892"},
    {"Volume_CorrectSpelling", "volume", "1", "Milliliter", "Liter", ""},
    // Speed
    {"Speed_60MphKmh", "speed", "60", "Mile/hour", "Km/hour", " 96.6"},
    {"Speed_2MachKmh", "speed", "2", "Mach @ 20000ft", "Km/hour", " 2276"},
    {"Speed_1KnotMph", "speed", "1", "Knot", "Mile/hour", " 1.15"},
    {"Speed_1MphKnot", "speed", "1", "Mile/hour", "Knot", " .869565217", 0.869565217},
    {"Speed_MachWithBlank", "speed", "1", "Mach @ 20000 ft", "Knot", ""},
    // Time
    {"Time_2DayHour", "time", "2", "Day", "Hour", " 48"},
    {"Time_48HourDay", "time", "48", "Hour", "Day", " 2"},
    {"Time_90MinuteHour", "time", "90", "Minute", "Hour", " 1.53"},
    {"Time_1YearDay", "time", "1", "Year", "Day", " 365.25"},
    {"Time_1YearSecond", "time", "1", "Year", "Second", " 31557600"},
    {"Time_1DayYear", "time", "1", "Day", "Year", " .0027", 0.0027},
    {"Time_LowerCaseDay", "time", "1", "day", "Year", ""},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class CategoryTable : public testing::TestWithParam<Row> {};

TEST_P(CategoryTable, ConvertsThroughItsTable)
{
    const Row &row = GetParam();
    ConversionMemory memory;
    const Category *category = findCategory({row.category});
    ASSERT_TRUE(category);
    const ConvertOutcome out = convert(row.input, row.from, row.to, category->units, category->rules, memory);
    // A near miss of a unit's spelling is no unit of the type.
    const bool refused = *row.text == '\0';
    EXPECT_EQ(out.kind, refused ? ConvertOutcome::Kind::UnknownUnit : ConvertOutcome::Kind::Result);
    EXPECT_EQ(out.result, row.text);
    if (!std::isnan(row.exact)) {
        EXPECT_EQ(memory.resultValue, row.exact);
    }
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryTable, testing::ValuesIn(kRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Every ordered pair of two different list units has exactly one rule, and
// every rule names two different list units: a misspelt unit in a table
// shows up here.
TEST(Categories, EveryPairHasExactlyOneRule)
{
    for (const Category *category : allCategories()) {
        const Category &c = *category;
        SCOPED_TRACE(std::string(c.id.key));
        ASSERT_GE(c.units.size(), 3u);
        auto listed = [&](std::string_view u) { return std::find(c.units.begin(), c.units.end(), u) != c.units.end(); };
        for (const PairRule &r : c.rules) {
            EXPECT_TRUE(listed(r.from)) << r.from;
            EXPECT_TRUE(listed(r.to)) << r.to;
            EXPECT_NE(r.from, r.to);
            EXPECT_FALSE(r.steps.empty()) << r.from << " -> " << r.to;
        }
        for (std::string_view from : c.units)
            for (std::string_view to : c.units) {
                if (from == to)
                    continue;
                const auto n = std::count_if(c.rules.begin(), c.rules.end(),
                                             [&](const PairRule &r) { return r.from == from && r.to == to; });
                EXPECT_EQ(n, 1) << from << " -> " << to;
            }
        EXPECT_EQ(findCategory(c.id), &c);
    }
}

TEST(Categories, IncompleteMessageDiffersByForm)
{
    const std::pair<std::string_view, const char *> expected[] = {
        {"distance", "Incomplete data"}, {"mass", "Incomplete Data"},  {"temperature", "Incomplete Data"},
        {"volume", "Incomplete Data"},   {"speed", "Incomplete data"}, {"time", "Incomplete Data"},
    };
    for (auto [id, message] : expected) {
        const Category *c = findCategory({id});
        ASSERT_TRUE(c) << id;
        EXPECT_EQ(c->incompleteMessage, message) << id;
    }
}

} // namespace

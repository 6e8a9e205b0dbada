// The six category tables through the Convert procedure: the telling values
// of each table, a guard against typos in the tables, and the incomplete-data
// message of each category.
#include "convert/procedure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace tolvaren;
using Id = CategoryId;

namespace {

struct Row {
    const char *name;
    Id id;
    std::string_view input, from, to;
    const char *text;            // the output text
    double exact = std::nan(""); // ResultValue to the last bit, where it matters
};

const Row kRows[] = {
    // Distance
    {"Distance_5MeterFeet", Id::Distance, "5", "Meter", "Feet", " 16.404"},
    {"Distance_1MeterInch", Id::Distance, "1", "Meter", "Inch", " 39.37"},
    {"Distance_100InchMeter", Id::Distance, "100", "Inch", "Meter", " 2.54"},
    {"Distance_2p5InchCentimeter", Id::Distance, "2.5", "Inch", "Centimeter", " 6.35"},
    {"Distance_2FeetInch", Id::Distance, "2", "Feet", "Inch", " 24"},
    {"Distance_100FeetMeter", Id::Distance, "100", "Feet", "Meter", " 30.5"},
    {"Distance_1MileMeter", Id::Distance, "1", "Mile", "Meter", " 1610"},
    {"Distance_1MileFeet", Id::Distance, "1", "Mile", "Feet", " 5282.14"},
    {"Distance_1KilometerMeter", Id::Distance, "1", "Kilometer", "Meter", " 1000"},
    {"Distance_10CentimeterInch", Id::Distance, "10", "Centimeter", "Inch", " 3.937"},
    {"Distance_Minus1MeterCentimeter", Id::Distance, "-1", "Meter", "Centimeter", "-100"},
    {"Distance_12abcMeterCentimeter", Id::Distance, "12abc", "Meter", "Centimeter", " 1200"},
    {"Distance_PluralMeters", Id::Distance, "1", "Meters", "Inch", " 0", 0},
    {"Distance_Ft", Id::Distance, "1", "Feet", "ft", " 0", 0},
    // Mass
    {"Mass_1PoundGram", Id::Mass, "1", "Pound", "Gram", " 454"},
    {"Mass_1000GramKilogram", Id::Mass, "1000", "Gram", "Kilogram", " 1"},
    {"Mass_1KilogramGram", Id::Mass, "1", "Kilogram", "Gram", " 998.8"},
    {"Mass_2TonGram", Id::Mass, "2", "Ton", "Gram", " 1997600"},
    {"Mass_Minus5PoundGram", Id::Mass, "-5", "Pound", "Gram", "-2270"},
    {"Mass_12abcPoundKilogram", Id::Mass, "12abc", "Pound", "Kilogram", " 5.4"},
    {"Mass_LowerCasePound", Id::Mass, "1", "pound", "Gram", " 0", 0},
    // Temperature: offsets and factors in double steps, in order
    {"Temp_100CToF", Id::Temperature, "100", "deg. C", "deg. F", " 212"},
    {"Temp_212FToC", Id::Temperature, "212", "deg. F", "deg. C", " 100"},
    {"Temp_32FToK", Id::Temperature, "32", "deg. F", "K", " 273"},
    {"Temp_373KToF", Id::Temperature, "373", "K", "deg. F", " 212"},
    {"Temp_Minus40CToF", Id::Temperature, "-40", "deg. C", "deg. F", "-40", -40},
    {"Temp_Minus40FToC", Id::Temperature, "-40", "deg. F", "deg. C", "-40", -40},
    {"Temp_0KToC", Id::Temperature, "0", "K", "deg. C", "-273", -273},
    {"Temp_0CToK", Id::Temperature, "0", "deg. C", "K", " 273", 273},
    {"Temp_0KToF", Id::Temperature, "0", "K", "deg. F", "-459.4", -459.40000000000003},
    {"Temp_98p6FToC", Id::Temperature, "98.6", "deg. F", "deg. C", " 37", 36.99999999999999},
    {"Temp_37CToF", Id::Temperature, "37", "deg. C", "deg. F", " 98.6", 98.60000000000001},
    {"Temp_NoBlankInUnit", Id::Temperature, "5", "deg.C", "K", " 0", 0},
    // Volume
    {"Volume_1GallonQuart", Id::Volume, "1", "Gallon", "Quart", " 4"},
    {"Volume_2LiterMililiter", Id::Volume, "2", "Liter", "Mililiter", " 2000"},
    {"Volume_1000MililiterLiter", Id::Volume, "1000", "Mililiter", "Liter", " 1"},
    {"Volume_1000MililiterQuart", Id::Volume, "1000", "Mililiter", "Quart", " 1.06"},
    {"Volume_10LiterGallon", Id::Volume, "10", "Liter", "Gallon", " 2.6"},
    {"Volume_10GallonLiter", Id::Volume, "10", "Gallon", "Liter", " 37.85"},
    {"Volume_Minus2QuartMililiter", Id::Volume, "-2", "Quart", "Mililiter", "-1892"},
    {"Volume_CorrectSpelling", Id::Volume, "1", "Milliliter", "Liter", " 0", 0},
    // Speed
    {"Speed_60MphKmh", Id::Speed, "60", "Mile/hour", "Km/hour", " 96.6"},
    {"Speed_2MachKmh", Id::Speed, "2", "Mach @ 20000ft", "Km/hour", " 2276"},
    {"Speed_1KnotMph", Id::Speed, "1", "Knot", "Mile/hour", " 1.15"},
    {"Speed_1MphKnot", Id::Speed, "1", "Mile/hour", "Knot", " .869565217", 0.869565217},
    {"Speed_MachWithBlank", Id::Speed, "1", "Mach @ 20000 ft", "Knot", " 0", 0},
    // Time
    {"Time_2DayHour", Id::Time, "2", "Day", "Hour", " 48"},
    {"Time_48HourDay", Id::Time, "48", "Hour", "Day", " 2"},
    {"Time_90MinuteHour", Id::Time, "90", "Minute", "Hour", " 1.53"},
    {"Time_1YearDay", Id::Time, "1", "Year", "Day", " 365.25"},
    {"Time_1YearSecond", Id::Time, "1", "Year", "Second", " 31557600"},
    {"Time_1DayYear", Id::Time, "1", "Day", "Year", " .0027", 0.0027},
    {"Time_LowerCaseDay", Id::Time, "1", "day", "Year", " 0", 0},
};

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class CategoryTable : public testing::TestWithParam<Row> {};

TEST_P(CategoryTable, ConvertsThroughItsTable)
{
    const Row &row = GetParam();
    ConversionMemory memory;
    const ConvertOutcome out = convert(row.input, row.from, row.to, category(row.id), memory);
    EXPECT_EQ(out.kind, ConvertOutcome::Kind::Result);
    EXPECT_EQ(out.text, row.text);
    if (!std::isnan(row.exact)) {
        EXPECT_EQ(memory.ResultValue, row.exact);
    }
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryTable, testing::ValuesIn(kRows),
                         [](const auto &info) { return std::string(info.param.name); });

// Every ordered pair of two different list units has exactly one rule, and
// every rule names two different list units: a misspelt unit in a table
// shows up here.
TEST(Categories, EveryPairHasExactlyOneRule)
{
    ASSERT_EQ(allCategories().size(), 6u);
    for (Id id : allCategories()) {
        const Category &c = category(id);
        SCOPED_TRACE(std::string(c.formName));
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
        EXPECT_EQ(categoryByFormName(c.formName), &c);
    }
}

TEST(Categories, IncompleteMessageDiffersByForm)
{
    const std::pair<Id, const char *> expected[] = {
        {Id::Distance, "Incomplete data"}, {Id::Mass, "Incomplete Data"},  {Id::Temperature, "Incomplete Data"},
        {Id::Volume, "Incomplete Data"},   {Id::Speed, "Incomplete data"}, {Id::Time, "Incomplete Data"},
    };
    for (auto [id, message] : expected) {
        const Category &c = category(id);
        SCOPED_TRACE(std::string(c.formName));
        ConversionMemory memory;
        const ConvertOutcome out = convert("", c.units[0], c.units[1], c, memory);
        EXPECT_EQ(out.kind, ConvertOutcome::Kind::IncompleteData);
        EXPECT_EQ(out.text, message);
    }
}

} // namespace

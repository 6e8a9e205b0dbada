// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The six category tables through the Convert procedure: every rule once,
// the telling values of each table and a guard against typos in the units.
#include "categories/categories.h"
#include "core/convert.h"
#include "forms/converters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace tolvaren;

namespace {

using Getter = const Category &(*)();

struct Row {
    const char *name;
    Getter category;
    std::string_view input, from, to;
    const char *text;            // the output text; empty when the unit is refused
    double exact = std::nan(""); // resultValue to the last bit, where it matters
};

// clang-format off
const Row kRows[] = {
    // Every rule once: one unit of the first turns into the factor or
    // formula as designed, so a wrong digit in any table shows here.
    {"Distance_MeterToInch", distanceCategory, "1", "Meter", "Inch", " 39.37"},
    {"Distance_MeterToMile", distanceCategory, "1", "Meter", "Mile", " .000621"},
    {"Distance_MeterToCentimeter", distanceCategory, "1", "Meter", "Centimeter", " 100"},
    {"Distance_MeterToKilometer", distanceCategory, "1", "Meter", "Kilometer", " .001"},
    {"Distance_MeterToFeet", distanceCategory, "1", "Meter", "Feet", " 3.2808"},
    {"Distance_InchToMeter", distanceCategory, "1", "Inch", "Meter", " .0254"},
    {"Distance_InchToMile", distanceCategory, "1", "Inch", "Mile", " .000015776"},
    {"Distance_InchToCentimeter", distanceCategory, "1", "Inch", "Centimeter", " 2.54"},
    {"Distance_InchToKilometer", distanceCategory, "1", "Inch", "Kilometer", " .0000254"},
    {"Distance_InchToFeet", distanceCategory, "1", "Inch", "Feet", " .083"},
    {"Distance_MileToMeter", distanceCategory, "1", "Mile", "Meter", " 1610"},
    {"Distance_MileToInch", distanceCategory, "1", "Mile", "Inch", " 63385.7"},
    {"Distance_MileToCentimeter", distanceCategory, "1", "Mile", "Centimeter", " 161000"},
    {"Distance_MileToKilometer", distanceCategory, "1", "Mile", "Kilometer", " 1.61"},
    {"Distance_MileToFeet", distanceCategory, "1", "Mile", "Feet", " 5282.14"},
    {"Distance_CentimeterToMeter", distanceCategory, "1", "Centimeter", "Meter", " .01"},
    {"Distance_CentimeterToInch", distanceCategory, "1", "Centimeter", "Inch", " .3937"},
    {"Distance_CentimeterToMile", distanceCategory, "1", "Centimeter", "Mile", " .000006211"},
    {"Distance_CentimeterToKilometer", distanceCategory, "1", "Centimeter", "Kilometer", " .00001"},
    {"Distance_CentimeterToFeet", distanceCategory, "1", "Centimeter", "Feet", " .033"},
    {"Distance_KilometerToMeter", distanceCategory, "1", "Kilometer", "Meter", " 1000"},
    {"Distance_KilometerToInch", distanceCategory, "1", "Kilometer", "Inch", " 39370"},
    {"Distance_KilometerToMile", distanceCategory, "1", "Kilometer", "Mile", " .62"},
    {"Distance_KilometerToCentimeter", distanceCategory, "1", "Kilometer", "Centimeter", " 100000"},
    {"Distance_KilometerToFeet", distanceCategory, "1", "Kilometer", "Feet", " 3280.8"},
    {"Distance_FeetToMeter", distanceCategory, "1", "Feet", "Meter", " .305"},
    {"Distance_FeetToInch", distanceCategory, "1", "Feet", "Inch", " 12"},
    {"Distance_FeetToMile", distanceCategory, "1", "Feet", "Mile", " .000183"},
    {"Distance_FeetToCentimeter", distanceCategory, "1", "Feet", "Centimeter", " 30.48"},
    {"Distance_FeetToKilometer", distanceCategory, "1", "Feet", "Kilometer", " .000305"},
    {"Mass_PoundToGram", massCategory, "1", "Pound", "Gram", " 454"},
    {"Mass_PoundToKilogram", massCategory, "1", "Pound", "Kilogram", " .45"},
    {"Mass_PoundToTon", massCategory, "1", "Pound", "Ton", " .00045"},
    {"Mass_GramToPound", massCategory, "1", "Gram", "Pound", " .0022"},
    {"Mass_GramToKilogram", massCategory, "1", "Gram", "Kilogram", " .001"},
    {"Mass_GramToTon", massCategory, "1", "Gram", "Ton", " .000001"},
    {"Mass_KilogramToPound", massCategory, "1", "Kilogram", "Pound", " 2.2"},
    {"Mass_KilogramToGram", massCategory, "1", "Kilogram", "Gram", " 998.8"},
    {"Mass_KilogramToTon", massCategory, "1", "Kilogram", "Ton", " .001"},
    {"Mass_TonToPound", massCategory, "1", "Ton", "Pound", " 2200"},
    {"Mass_TonToGram", massCategory, "1", "Ton", "Gram", " 998800"},
    {"Mass_TonToKilogram", massCategory, "1", "Ton", "Kilogram", " 1000"},
    {"Temp_degFTodegC", temperatureCategory, "1", "deg. F", "deg. C", "-17.2222222222222"},
    {"Temp_degFToK", temperatureCategory, "1", "deg. F", "K", " 255.777777777778"},
    {"Temp_degCTodegF", temperatureCategory, "1", "deg. C", "deg. F", " 33.8"},
    {"Temp_degCToK", temperatureCategory, "1", "deg. C", "K", " 274"},
    {"Temp_KTodegF", temperatureCategory, "1", "K", "deg. F", "-457.6"},
    {"Temp_KTodegC", temperatureCategory, "1", "K", "deg. C", "-272"},
    {"Volume_MililiterToQuart", volumeCategory, "1", "Mililiter", "Quart", " .00106"},
    {"Volume_MililiterToGallon", volumeCategory, "1", "Mililiter", "Gallon", " .0002642"},
    {"Volume_MililiterToLiter", volumeCategory, "1", "Mililiter", "Liter", " .001"},
    {"Volume_QuartToMililiter", volumeCategory, "1", "Quart", "Mililiter", " 946"},
    {"Volume_QuartToGallon", volumeCategory, "1", "Quart", "Gallon", " .25"},
    {"Volume_QuartToLiter", volumeCategory, "1", "Quart", "Liter", " .946"},
    {"Volume_GallonToMililiter", volumeCategory, "1", "Gallon", "Mililiter", " 3785"},
    {"Volume_GallonToQuart", volumeCategory, "1", "Gallon", "Quart", " 4"},
    {"Volume_GallonToLiter", volumeCategory, "1", "Gallon", "Liter", " 3.785"},
    {"Volume_LiterToMililiter", volumeCategory, "1", "Liter", "Mililiter", " 1000"},
    {"Volume_LiterToQuart", volumeCategory, "1", "Liter", "Quart", " 1.06"},
    {"Volume_LiterToGallon", volumeCategory, "1", "Liter", "Gallon", " .26"},
    {"Speed_MilehourToKmhour", speedCategory, "1", "Mile/hour", "Km/hour", " 1.61"},
    {"Speed_MilehourToKnot", speedCategory, "1", "Mile/hour", "Knot", " .869565217"},
    {"Speed_KmhourToMilehour", speedCategory, "1", "Km/hour", "Mile/hour", " .621118012"},
    {"Speed_KmhourToKnot", speedCategory, "1", "Km/hour", "Knot", " .540102619"},
    {"Speed_KnotToMilehour", speedCategory, "1", "Knot", "Mile/hour", " 1.15"},
    {"Speed_KnotToKmhour", speedCategory, "1", "Knot", "Km/hour", " 1.8515"},
    {"Speed_Mach20000ftToMilehour", speedCategory, "1", "Mach @ 20000ft", "Mile/hour", " 707"},
    {"Speed_Mach20000ftToKmhour", speedCategory, "1", "Mach @ 20000ft", "Km/hour", " 1138"},
    {"Speed_Mach20000ftToKnot", speedCategory, "1", "Mach @ 20000ft", "Knot", " 614.3991685"},
    {"Speed_MilehourToMach20000ft", speedCategory, "1", "Mile/hour", "Mach @ 20000ft", " .001414427"},
    {"Speed_KmhourToMach20000ft", speedCategory, "1", "Km/hour", "Mach @ 20000ft", " .000878734"},
    {"Speed_KnotToMach20000ft", speedCategory, "1", "Knot", "Mach @ 20000ft", " .001627606"},
    {"Time_HourToMinute", timeCategory, "1", "Hour", "Minute", " 60"},
    {"Time_HourToSecond", timeCategory, "1", "Hour", "Second", " 3600"},
    {"Time_HourToYear", timeCategory, "1", "Hour", "Year", " .000114077116130504"},
    {"Time_HourToDay", timeCategory, "1", "Hour", "Day", " .0416666666666667"},
    {"Time_MinuteToHour", timeCategory, "1", "Minute", "Hour", " .017"},
    {"Time_MinuteToSecond", timeCategory, "1", "Minute", "Second", " 60"},
    {"Time_MinuteToYear", timeCategory, "1", "Minute", "Year", " .000001901"},
    {"Time_MinuteToDay", timeCategory, "1", "Minute", "Day", " .00069"},
    {"Time_SecondToHour", timeCategory, "1", "Second", "Hour", " .00028"},
    {"Time_SecondToMinute", timeCategory, "1", "Second", "Minute", " .017"},
    {"Time_SecondToYear", timeCategory, "1", "Second", "Year", " .000000031"},
    {"Time_SecondToDay", timeCategory, "1", "Second", "Day", " .0000116"},
    {"Time_YearToHour", timeCategory, "1", "Year", "Hour", " 8766"},
    {"Time_YearToMinute", timeCategory, "1", "Year", "Minute", " 525960"},
    {"Time_YearToSecond", timeCategory, "1", "Year", "Second", " 31557600"},
    {"Time_YearToDay", timeCategory, "1", "Year", "Day", " 365.25"},
    {"Time_DayToHour", timeCategory, "1", "Day", "Hour", " 24"},
    {"Time_DayToMinute", timeCategory, "1", "Day", "Minute", " 1440"},
    {"Time_DayToSecond", timeCategory, "1", "Day", "Second", " 86400"},
    {"Time_DayToYear", timeCategory, "1", "Day", "Year", " .0027"},
    // The telling values of each table.
    // Distance
    {"Distance_5MeterFeet", distanceCategory, "5", "Meter", "Feet", " 16.404"},
    {"Distance_100InchMeter", distanceCategory, "100", "Inch", "Meter", " 2.54"},
    {"Distance_2p5InchCentimeter", distanceCategory, "2.5", "Inch", "Centimeter", " 6.35"},
    {"Distance_2FeetInch", distanceCategory, "2", "Feet", "Inch", " 24"},
    {"Distance_100FeetMeter", distanceCategory, "100", "Feet", "Meter", " 30.5"},
    {"Distance_10CentimeterInch", distanceCategory, "10", "Centimeter", "Inch", " 3.937"},
    {"Distance_Minus1MeterCentimeter", distanceCategory, "-1", "Meter", "Centimeter", "-100"},
    {"Distance_12MeterCentimeter", distanceCategory, "12", "Meter", "Centimeter", " 1200"},
    {"Distance_PluralMeters", distanceCategory, "1", "Meters", "Inch", ""},
    {"Distance_Ft", distanceCategory, "1", "Feet", "ft", ""},
    // Mass
    {"Mass_1000GramKilogram", massCategory, "1000", "Gram", "Kilogram", " 1"},
    {"Mass_2TonGram", massCategory, "2", "Ton", "Gram", " 1997600"},
    {"Mass_Minus5PoundGram", massCategory, "-5", "Pound", "Gram", "-2270"},
    {"Mass_12PoundKilogram", massCategory, "12", "Pound", "Kilogram", " 5.4"},
    {"Mass_LowerCasePound", massCategory, "1", "pound", "Gram", ""},
    // Temperature: offsets and factors in double steps, in order
    {"Temp_100CToF", temperatureCategory, "100", "deg. C", "deg. F", " 212"},
    {"Temp_212FToC", temperatureCategory, "212", "deg. F", "deg. C", " 100"},
    {"Temp_32FToK", temperatureCategory, "32", "deg. F", "K", " 273"},
    {"Temp_373KToF", temperatureCategory, "373", "K", "deg. F", " 212"},
    {"Temp_Minus40CToF", temperatureCategory, "-40", "deg. C", "deg. F", "-40", -40},
    {"Temp_Minus40FToC", temperatureCategory, "-40", "deg. F", "deg. C", "-40", -40},
    {"Temp_0KToC", temperatureCategory, "0", "K", "deg. C", "-273", -273},
    {"Temp_0CToK", temperatureCategory, "0", "deg. C", "K", " 273", 273},
    {"Temp_0KToF", temperatureCategory, "0", "K", "deg. F", "-459.4", -459.40000000000003},
    {"Temp_98p6FToC", temperatureCategory, "98.6", "deg. F", "deg. C", " 37", 36.99999999999999},
    {"Temp_37CToF", temperatureCategory, "37", "deg. C", "deg. F", " 98.6", 98.60000000000001},
    {"Temp_NoBlankInUnit", temperatureCategory, "5", "deg.C", "K", ""},
    // Volume
    {"Volume_2LiterMililiter", volumeCategory, "2", "Liter", "Mililiter", " 2000"},
    {"Volume_1000MililiterLiter", volumeCategory, "1000", "Mililiter", "Liter", " 1"},
    {"Volume_1000MililiterQuart", volumeCategory, "1000", "Mililiter", "Quart", " 1.06"},
    {"Volume_10LiterGallon", volumeCategory, "10", "Liter", "Gallon", " 2.6"},
    {"Volume_10GallonLiter", volumeCategory, "10", "Gallon", "Liter", " 37.85"},
    {"Volume_Minus2QuartMililiter", volumeCategory, "-2", "Quart", "Mililiter", "-1892"},
    {"Volume_CorrectSpelling", volumeCategory, "1", "Milliliter", "Liter", ""},
    // Speed
    {"Speed_60MphKmh", speedCategory, "60", "Mile/hour", "Km/hour", " 96.6"},
    {"Speed_2MachKmh", speedCategory, "2", "Mach @ 20000ft", "Km/hour", " 2276"},
    {"Speed_1MphKnot", speedCategory, "1", "Mile/hour", "Knot", " .869565217", 0.869565217},
    {"Speed_MachWithBlank", speedCategory, "1", "Mach @ 20000 ft", "Knot", ""},
    // Time
    {"Time_2DayHour", timeCategory, "2", "Day", "Hour", " 48"},
    {"Time_48HourDay", timeCategory, "48", "Hour", "Day", " 2"},
    {"Time_90MinuteHour", timeCategory, "90", "Minute", "Hour", " 1.53"},
    {"Time_1DayYear", timeCategory, "1", "Day", "Year", " .0027", 0.0027},
    {"Time_LowerCaseDay", timeCategory, "1", "day", "Year", ""},
};
// clang-format on

void PrintTo(const Row &row, std::ostream *os) { *os << row.name; }

class CategoryTable : public testing::TestWithParam<Row> {};

TEST_P(CategoryTable, ConvertsThroughItsTable)
{
    const Row &row = GetParam();
    ConversionMemory memory;
    const Category &category = row.category();
    const ConvertOutcome out = convert(row.input, row.from, row.to, category.units, category.rules, memory);
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
    for (const design::Converter &converter : design::converters()) {
        const Category &c = converter.category;
        SCOPED_TRACE(std::string(c.name));
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
    }
}

} // namespace

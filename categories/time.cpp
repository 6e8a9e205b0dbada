// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
constexpr auto units = std::to_array<std::string_view>({"Hour", "Minute", "Second", "Year", "Day"});
}

// A year is 365.25 days. The short reciprocals (0.017 for 1/60 and the like)
// are the program's own figures and stay as they are.
const Category &timeCategory()
{
    static const Category c{
        "time",
        units,
        {
            {"Hour", "Minute", {times(60.0)}},       {"Hour", "Second", {times(3600.0)}},
            {"Hour", "Year", {over(8766.0)}},        {"Hour", "Day", {over(24.0)}},
            {"Minute", "Hour", {times(0.017)}},      {"Minute", "Second", {times(60.0)}},
            {"Minute", "Year", {times(1.901e-06)}},  {"Minute", "Day", {times(0.00069)}},
            {"Second", "Hour", {times(0.00028)}},    {"Second", "Minute", {times(0.017)}},
            {"Second", "Year", {times(3.1e-08)}},    {"Second", "Day", {times(1.16e-05)}},
            {"Year", "Hour", {times(8766.0)}},       {"Year", "Minute", {times(525960.0)}},
            {"Year", "Second", {times(31557600.0)}}, {"Year", "Day", {times(365.25)}},
            {"Day", "Hour", {times(24.0)}},          {"Day", "Minute", {times(1440.0)}},
            {"Day", "Second", {times(86400.0)}},     {"Day", "Year", {times(0.0027)}},
        },
        "Incomplete Data",
    };
    return c;
}

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
constexpr auto units = std::to_array<std::string_view>({"Mile/hour", "Km/hour", "Knot", "Mach @ 20000ft"});
}

const Category &speedCategory()
{
    static const Category c{
        "speed",
        units,
        {
            {"Mile/hour", "Km/hour", {times(1.61)}},
            {"Mile/hour", "Knot", {times(0.869565217)}},
            {"Km/hour", "Mile/hour", {times(0.621118012)}},
            {"Km/hour", "Knot", {times(0.540102619)}},
            {"Knot", "Mile/hour", {times(1.15)}},
            {"Knot", "Km/hour", {times(1.8515)}},
            {"Mach @ 20000ft", "Mile/hour", {times(707.0)}},
            {"Mach @ 20000ft", "Km/hour", {times(1138.0)}},
            {"Mach @ 20000ft", "Knot", {times(614.3991685)}},
            {"Mile/hour", "Mach @ 20000ft", {times(0.001414427)}},
            {"Km/hour", "Mach @ 20000ft", {times(0.000878734)}},
            {"Knot", "Mach @ 20000ft", {times(0.001627606)}},
        },
        "Incomplete data",
    };
    return c;
}

} // namespace tolvaren

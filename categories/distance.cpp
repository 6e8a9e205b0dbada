// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
constexpr auto units = std::to_array<std::string_view>({"Meter", "Inch", "Mile", "Centimeter", "Kilometer", "Feet"});
}

// The factors are the program's own rounded figures, used as written: a rule
// and its reverse need not multiply to 1.
const Category &distanceCategory()
{
    static const Category c{
        "distance",
        units,
        {
            {"Meter", "Inch", {times(39.37)}},
            {"Meter", "Mile", {times(0.000621)}},
            {"Meter", "Centimeter", {times(100)}},
            {"Meter", "Kilometer", {times(0.001)}},
            {"Meter", "Feet", {times(3.2808)}},
            {"Inch", "Meter", {times(0.0254)}},
            {"Inch", "Mile", {times(0.000015776)}},
            {"Inch", "Centimeter", {times(2.54)}},
            {"Inch", "Kilometer", {times(0.0000254)}},
            {"Inch", "Feet", {times(0.083)}},
            {"Mile", "Meter", {times(1610)}},
            {"Mile", "Inch", {times(63385.7)}},
            {"Mile", "Centimeter", {times(161000)}},
            {"Mile", "Kilometer", {times(1.61)}},
            {"Mile", "Feet", {times(5282.14)}},
            {"Centimeter", "Meter", {times(0.01)}},
            {"Centimeter", "Inch", {times(0.3937)}},
            {"Centimeter", "Mile", {times(0.000006211)}},
            {"Centimeter", "Kilometer", {times(0.00001)}},
            {"Centimeter", "Feet", {times(0.033)}},
            {"Kilometer", "Meter", {times(1000)}},
            {"Kilometer", "Inch", {times(39370)}},
            {"Kilometer", "Mile", {times(0.62)}},
            {"Kilometer", "Centimeter", {times(100000)}},
            {"Kilometer", "Feet", {times(3280.8)}},
            {"Feet", "Meter", {times(0.305)}},
            {"Feet", "Inch", {times(12)}},
            {"Feet", "Mile", {times(0.000183)}},
            {"Feet", "Centimeter", {times(30.48)}},
            {"Feet", "Kilometer", {times(0.000305)}},
        },
        "Incomplete data",
    };
    return c;
}

} // namespace tolvaren

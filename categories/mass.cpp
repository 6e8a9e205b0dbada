// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
constexpr auto units = std::to_array<std::string_view>({"Pound", "Gram", "Kilogram", "Ton"});
}

// Approximate figures, used as written: a kilogram is 998.8 grams here.
const Category &massCategory()
{
    static const Category c{
        "mass",
        units,
        {
            {"Pound", "Gram", {times(454)}},
            {"Pound", "Kilogram", {times(0.45)}},
            {"Pound", "Ton", {times(0.00045)}},
            {"Gram", "Pound", {times(0.0022)}},
            {"Gram", "Kilogram", {times(0.001)}},
            {"Gram", "Ton", {times(0.000001)}},
            {"Kilogram", "Pound", {times(2.2)}},
            {"Kilogram", "Gram", {times(998.8)}},
            {"Kilogram", "Ton", {times(0.001)}},
            {"Ton", "Pound", {times(2200)}},
            {"Ton", "Gram", {times(998800)}},
            {"Ton", "Kilogram", {times(1000)}},
        },
        "Incomplete Data",
    };
    return c;
}

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
// "Mililiter" is the list's own spelling; the unit is matched only so.
constexpr auto units = std::to_array<std::string_view>({"Mililiter", "Quart", "Gallon", "Liter"});
} // namespace

const Category &volumeCategory()
{
    static const Category c{
        "volume",
        units,
        {
            {"Mililiter", "Quart", {times(0.00106)}},
            {"Mililiter", "Gallon", {times(0.0002642)}},
            {"Mililiter", "Liter", {times(0.001)}},
            {"Quart", "Mililiter", {times(946)}},
            {"Quart", "Gallon", {times(0.25)}},
            {"Quart", "Liter", {times(0.946)}},
            {"Gallon", "Mililiter", {times(3785)}},
            {"Gallon", "Quart", {times(4)}},
            {"Gallon", "Liter", {times(3.785)}},
            {"Liter", "Mililiter", {times(1000)}},
            {"Liter", "Quart", {times(1.06)}},
            {"Liter", "Gallon", {times(0.26)}},
        },
        "Incomplete Data",
    };
    return c;
}

} // namespace tolvaren

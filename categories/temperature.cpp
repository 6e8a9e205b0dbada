// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"

#include <array>

namespace tolvaren {

namespace {
constexpr auto units = std::to_array<std::string_view>({"deg. F", "deg. C", "K"});
}

// Offsets and factors in the order they are computed, each step one double
// operation: dividing by 1.8 is not multiplying by 5/9, and the kelvin
// offset is 273.
const Category &temperatureCategory()
{
    static const Category c{
        "temperature",
        units,
        {
            {"deg. F", "deg. C", {minus(32), over(1.8)}},
            {"deg. F", "K", {minus(32), over(1.8), plus(273)}},
            {"deg. C", "deg. F", {times(1.8), plus(32)}},
            {"deg. C", "K", {plus(273)}},
            {"K", "deg. F", {minus(273), times(1.8), plus(32)}},
            {"K", "deg. C", {minus(273)}},
        },
        "Incomplete Data",
    };
    return c;
}

} // namespace tolvaren

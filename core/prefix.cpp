// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "core/prefix.h"

#include "core/numbertext.h"

#include <array>
#include <cmath>

namespace tolvaren {

namespace {
// Below one the multipliers are the decimals as written, and Go multiplies
// by them: Deci is "x 0.1", not "/ 10".
constexpr std::array<Prefix, 12> table{{
    {"Tetra", 1000000000000.0, "Tetra = 1.00 x 10 raced to 12"},
    {"Giga", 1000000000.0, "Giga = 1.00 x 10 raced to 9"},
    {"Mega", 1000000.0, "Mega = 1.00 x 10 raced to 6"},
    {"Kilo", 1000.0, "Kilo = 1.00 x 10 raced to 3"},
    {"Hecto", 100.0, "Hecto = 1.00 x 10 raced to 2"},
    {"Deka", 10.0, "Deka = 1.00 x 10 raced to 1"},
    {"Deci", 0.1, "Deci = 1.00 x 10 raced to -1"},
    {"Centi", 0.01, "Centi = 1.00 x 10 raced to -2"},
    {"Milli", 0.001, "Milli = 1.00 x 10 raced to -3"},
    {"Micro", 0.000001, "Micro = 1.00 x 10 raced to -6"},
    {"Nano", 0.000000001, "Nano = 1.00 x 10 raced to -9"},
    {"Pico", 0.000000000001, "Pico = 1.00 x 10 raced to -12"},
}};
} // namespace

std::span<const Prefix> prefixTable() { return table; }

GoOutcome go(std::string_view input, std::string_view prefix)
{
    using Kind = GoOutcome::Kind;
    if (input.empty() || prefix.empty())
        return {Kind::Missing, {}, {}};

    const ValResult parsed = Val(input);
    if (!parsed.whole)
        return {Kind::NotANumber, {}, {}};
    if (parsed.overflow)
        return {Kind::Overflow, {}, {}};

    double scaled = 0.0;
    std::string caption;
    for (const Prefix &p : table) {
        if (p.name != prefix)
            continue;
        scaled = parsed.value * p.multiplier;
        // The overflow ends Go before the caption is set.
        if (!std::isfinite(scaled))
            return {Kind::Overflow, {}, {}};
        caption = std::string(p.caption);
    }
    return {Kind::Result, Str(scaled), caption};
}

} // namespace tolvaren

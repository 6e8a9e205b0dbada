// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tolvaren {

// One metric prefix: the list item, the multiplier Go applies and the
// caption Go shows for it.
struct Prefix {
    std::string_view name;
    double multiplier;
    std::string_view caption;
};

// The twelve prefixes, from Tetra down to Pico, in list order.
std::span<const Prefix> prefixTable();

inline constexpr std::string_view kPrefixMissingPrompt = "Input value and/or prefix";
inline constexpr std::string_view kPrefixMissingTitle = "Value missing";

// How a Go ended. On Result, `output` is the scaled value's text and
// `caption` the chosen prefix's caption (empty when no prefix matched, and
// then the caption on screen stays as it is).
struct GoOutcome {
    enum class Kind { Missing, NotANumber, Result, Overflow };
    Kind kind;
    std::string output;
    std::string caption;
};

// Scales the number `input` by the prefix named `prefix` (empty when
// nothing is selected). An input that is not wholly a number is refused.
// Touches no conversion memory.
GoOutcome go(std::string_view input, std::string_view prefix);

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/memory.h"
#include "core/pairrule.h"
#include "core/placeholders.h"

#include <span>
#include <string>
#include <string_view>

namespace tolvaren {

// The title of every box that refuses what was typed or picked.
inline constexpr std::string_view kErrorTitle = "Error";
inline constexpr std::string_view kNotANumberPrompt = "Input value is not a number";
inline constexpr std::string_view kUnknownUnitPrompt = "Unknown unit: ";
// A result beyond the largest number a double holds.
inline constexpr std::string_view kTooLargePrompt = "The result is too large to show";
inline constexpr std::string_view kSameUnitPrompt = "Use your common sense!!! n*1 = n*1 ;where n = any digit";
inline constexpr std::string_view kSameUnitTitle = "Warning: Your Common Sense is not in use";

// How a Convert ended. Exactly one of these; only Result changes the output.
struct ConvertOutcome {
    enum class Kind { IncompleteData, SameUnit, NotANumber, UnknownUnit, Result, Overflow };
    // The text that was refused: the input on NotANumber, the from or the
    // to text on UnknownUnit.
    enum class Field { None, Input, From, To };
    Kind kind;
    std::string result; // the result text, on Result
    Field refused = Field::None;
};

// Runs Convert on the three texts of a converter form against a measurement
// type's units and table. The checks come first, in this order, and leave
// the memory alone: incomplete data, the same text in both lists, an input
// that is not wholly a number, a unit text that is not one of `units`.
// After them the memory is cleared, the input is read and every rule of the
// table is tried in order, the last match winning. An overflow ends the run
// at once and leaves in the memory what had been stored up to that step.
ConvertOutcome convert(std::string_view input, std::string_view from, std::string_view to,
                       std::span<const std::string_view> units, std::span<const PairRule> rules,
                       ConversionMemory &memory);

} // namespace tolvaren

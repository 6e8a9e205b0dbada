// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/memory.h"
#include "core/pairrule.h"

#include <span>
#include <string>
#include <string_view>

namespace tolvaren {

inline constexpr std::string_view kFromPlaceholder = "This unit...";
inline constexpr std::string_view kToPlaceholder = "...converted to";
inline constexpr std::string_view kOutputPlaceholder = "Answer displayed here";

inline constexpr std::string_view kIncompleteTitle = "Error";
inline constexpr std::string_view kSameUnitPrompt = "Use your common sense!!! n*1 = n*1 ;where n = any digit";
inline constexpr std::string_view kSameUnitTitle = "Warning: Your Common Sense is not in use";

// How a Convert ended. Exactly one of these; only Result changes the output.
struct ConvertOutcome {
    enum class Kind { IncompleteData, SameUnit, Result, Overflow };
    Kind kind;
    std::string result; // the result text, on Result
};

// Runs Convert on the three texts of a converter form against a measurement
// type's table. Checks come first and leave the memory alone; after them the
// memory is cleared, the input is read and every rule of the table is tried
// in order, the last match winning. An overflow ends the run at once and
// leaves in the memory what had been stored up to that step.
ConvertOutcome convert(std::string_view input, std::string_view from, std::string_view to,
                       std::span<const PairRule> rules, ConversionMemory &memory);

} // namespace tolvaren

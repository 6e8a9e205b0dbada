// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/pairrule.h"

#include <span>
#include <string_view>
#include <vector>

namespace tolvaren {

// Everything that makes one measurement type: its units in list order, its
// table of pair rules in the order they are tested and the message shown
// for incomplete data. Windows and tests refer to a type by its object, so
// a type that does not exist cannot be named.
struct Category {
    std::string_view name; // "distance": for test names and diagnostics
    std::span<const std::string_view> units;
    std::vector<PairRule> rules;
    std::string_view incompleteMessage;
};

} // namespace tolvaren

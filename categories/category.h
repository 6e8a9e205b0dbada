// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/pairrule.h"

#include <span>
#include <string_view>
#include <vector>

namespace tolvaren {

// Names a measurement type ("distance", "mass", ...). Designs and windows
// refer to a type by it; the category list turns it into the type.
struct CategoryId {
    std::string_view key;
    friend constexpr bool operator==(CategoryId, CategoryId) = default;
};

// Everything that makes one measurement type: its units in list order, its
// table of pair rules in the order they are tested and the message shown
// for incomplete data.
struct Category {
    CategoryId id;
    std::span<const std::string_view> units;
    std::vector<PairRule> rules;
    std::string_view incompleteMessage;
};

// Every measurement type, once each, in the order the program lists them.
std::span<const Category *const> allCategories();

// The type with this id, or nullptr.
const Category *findCategory(CategoryId id);

} // namespace tolvaren

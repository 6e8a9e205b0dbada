// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

namespace tolvaren {

// What a converter form's unit lists and output box show before anything is
// picked or converted. The designs open with these texts, and Convert tells
// a list that still shows its placeholder by them.
inline constexpr std::string_view kFromPlaceholder = "This unit...";
inline constexpr std::string_view kToPlaceholder = "...converted to";
inline constexpr std::string_view kOutputPlaceholder = "Answer displayed here";

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tolvaren {

// The texts of the boxes that refuse what was typed. Each names what was
// refused and, where a likely slip shows, what was meant: by ear "meter"
// and "Meter" sound alike, and "1,5" is how many desktops write 1.5.

// "Input value is not a number", and how to write it where the text would
// be a number with a point in place of its one comma.
std::string notANumberMessage(std::string_view input);

// "Unknown unit: " and the text as typed, in quotes so that a stray blank
// shows (cut short with an ellipsis when it is long); then the unit of
// `units` it differs from only in letter case or in blanks at either end,
// or else that units are picked from the list.
std::string unknownUnitMessage(std::string_view typed, std::span<const std::string_view> units);

} // namespace tolvaren

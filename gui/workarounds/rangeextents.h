// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tolvaren::workarounds {

// See rangeextents.cpp; installQtWorkarounds() calls it.
void installRangeExtents();

} // namespace tolvaren::workarounds

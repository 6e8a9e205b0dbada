// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tolvaren {

// The two values the converter forms share: what the last Convert read and
// what it produced. Opening a converter form, New and Refresh Memory clear it.
struct ConversionMemory {
    double inputValue = 0.0;
    double resultValue = 0.0;

    void clear() { inputValue = resultValue = 0.0; }
};

} // namespace tolvaren

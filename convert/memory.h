#pragma once

namespace tolvaren {

// The two values the converter forms share: what the last Convert read and
// what it produced. Loading a converter form, New and Refresh Memory clear it.
struct ConversionMemory {
    double InputValue = 0.0;
    double ResultValue = 0.0;

    void clear() { InputValue = ResultValue = 0.0; }
};

// The program's one conversion memory.
ConversionMemory &conversionMemory();

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

namespace tolvaren {

// One arithmetic step of a formula: value = value <op> constant.
struct Step {
    enum class Op { Multiply, Divide, Add, Subtract };
    Op op;
    double constant;
};

// One row of a category's conversion table. The steps run in order on the
// input value; the last one's result is the conversion result.
struct PairRule {
    std::string_view from;
    std::string_view to;
    std::vector<Step> steps;
};

inline Step times(double c) { return {Step::Op::Multiply, c}; }
inline Step over(double c) { return {Step::Op::Divide, c}; }
inline Step plus(double c) { return {Step::Op::Add, c}; }
inline Step minus(double c) { return {Step::Op::Subtract, c}; }

} // namespace tolvaren

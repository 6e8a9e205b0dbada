// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "core/convert.h"

#include "core/numbertext.h"

#include <algorithm>
#include <cmath>

namespace tolvaren {

namespace {

double apply(Step step, double value)
{
    switch (step.op) {
    case Step::Op::Multiply: return value * step.constant;
    case Step::Op::Divide: return value / step.constant;
    case Step::Op::Add: return value + step.constant;
    case Step::Op::Subtract: return value - step.constant;
    }
    return value;
}

bool incomplete(std::string_view input, std::string_view from, std::string_view to)
{
    return input.empty() || to.empty() || from == kFromPlaceholder || from.empty() || to == kToPlaceholder;
}

bool known(std::string_view unit, std::span<const std::string_view> units)
{
    return std::find(units.begin(), units.end(), unit) != units.end();
}

} // namespace

ConvertOutcome convert(std::string_view input, std::string_view from, std::string_view to,
                       std::span<const std::string_view> units, std::span<const PairRule> rules,
                       ConversionMemory &memory)
{
    using Kind = ConvertOutcome::Kind;
    using Field = ConvertOutcome::Field;
    if (incomplete(input, from, to))
        return {Kind::IncompleteData, {}};
    if (from == to)
        return {Kind::SameUnit, {}};
    const ValResult parsed = Val(input);
    if (!parsed.whole)
        return {Kind::NotANumber, {}, Field::Input};
    if (!known(from, units))
        return {Kind::UnknownUnit, {}, Field::From};
    if (!known(to, units))
        return {Kind::UnknownUnit, {}, Field::To};

    memory.clear();
    if (parsed.overflow)
        return {Kind::Overflow, {}};
    memory.inputValue = parsed.value;

    for (const PairRule &rule : rules) {
        if (rule.to != to || rule.from != from)
            continue;
        // Intermediate results live in a local; only the last step of a
        // formula is stored in the memory. The operands are always finite,
        // so a result that is not is an overflow, an invalid operation or a
        // division by zero, and each of those ends the run.
        double value = memory.inputValue;
        for (std::size_t i = 0; i < rule.steps.size(); ++i) {
            value = apply(rule.steps[i], value);
            if (i + 1 == rule.steps.size())
                memory.resultValue = value;
            if (!std::isfinite(value))
                return {Kind::Overflow, {}};
        }
    }
    return {Kind::Result, Str(memory.resultValue)};
}

} // namespace tolvaren

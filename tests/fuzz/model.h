#pragma once

// Small models of Convert and Go, written apart from the program's own
// procedures, for the fuzz targets and the randomized walk to hold the
// program against.

#include "categories/category.h"
#include "convert/procedure.h"
#include "prefix/prefixtable.h"
#include "runtime/numbertext.h"

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

namespace model {

inline const char *name(tolvaren::ConvertOutcome::Kind k)
{
    return std::data({"IncompleteData", "SameUnit", "Result", "Overflow"})[static_cast<int>(k)];
}

inline const char *name(tolvaren::GoOutcome::Kind k)
{
    return std::data({"Missing", "Result", "Overflow"})[static_cast<int>(k)];
}

// Equal to the last bit, NaN and the sign of zero included.
inline bool sameMemory(const tolvaren::ConversionMemory &a, const tolvaren::ConversionMemory &b)
{
    return std::memcmp(&a.InputValue, &b.InputValue, sizeof(double)) == 0 &&
           std::memcmp(&a.ResultValue, &b.ResultValue, sizeof(double)) == 0;
}

// The message of Convert's incomplete-data refusal.
inline std::string_view incompleteMessage(tolvaren::CategoryId id)
{
    using tolvaren::CategoryId;
    return (id == CategoryId::Distance || id == CategoryId::Speed) ? "Incomplete data" : "Incomplete Data";
}

struct Convert {
    tolvaren::ConvertOutcome::Kind kind;
    tolvaren::ConversionMemory memory;
    bool matched = false; // some rule of the table fits the two units
};

// The checks leave the memory as it was; then it is cleared, the input read
// and every fitting rule run in order, each step stored as the procedure
// does, until one overflows.
inline Convert convert(std::string_view input, std::string_view from, std::string_view to,
                       const tolvaren::Category &category, const tolvaren::ConversionMemory &before)
{
    using Kind = tolvaren::ConvertOutcome::Kind;
    using Op = tolvaren::Step::Op;
    if (input.empty() || to.empty() || from == "This unit..." || from.empty() || to == "...converted to")
        return {Kind::IncompleteData, before};
    if (from == to)
        return {Kind::SameUnit, before};
    const tolvaren::ValResult read = tolvaren::Val(input);
    if (read.overflow)
        return {Kind::Overflow, {}};
    Convert c{Kind::Result, {read.value, 0.0}};
    for (const tolvaren::PairRule &rule : category.rules) {
        if (rule.from != from || rule.to != to)
            continue;
        c.matched = true;
        double v = c.memory.InputValue;
        for (std::size_t k = 0; k < rule.steps.size(); ++k) {
            const tolvaren::Step s = rule.steps[k];
            v = s.op == Op::Multiply ? v * s.constant
                : s.op == Op::Divide ? v / s.constant
                : s.op == Op::Add    ? v + s.constant
                                     : v - s.constant;
            if (k + 1 == rule.steps.size())
                c.memory.ResultValue = v;
            if (!std::isfinite(v)) {
                c.kind = Kind::Overflow;
                return c;
            }
        }
    }
    return c;
}

struct Go {
    tolvaren::GoOutcome::Kind kind;
    double scaled = 0.0;
    std::string caption; // empty when no prefix has that name
};

// The missing-value check, the one multiplication by the matching prefix,
// the overflow before the caption is set.
inline Go go(std::string_view input, std::string_view prefix)
{
    using Kind = tolvaren::GoOutcome::Kind;
    if (input.empty() || prefix.empty())
        return {Kind::Missing};
    const tolvaren::ValResult read = tolvaren::Val(input);
    if (read.overflow)
        return {Kind::Overflow};
    Go g{Kind::Result};
    for (const tolvaren::Prefix &p : tolvaren::prefixTable()) {
        if (p.name != prefix)
            continue;
        g.scaled = read.value * p.multiplier;
        if (!std::isfinite(g.scaled))
            return {Kind::Overflow};
        g.caption = std::string(p.caption);
    }
    return g;
}

} // namespace model

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Convert on any three texts of any category. The first byte picks the
// category, the rest is "input|from|to". Which outcome a Convert has and
// what it leaves in the memory follow from the texts alone; the numbers a
// rule computes are checked by the table tests, not here.

#include "categories/categories.h"
#include "core/convert.h"
#include "core/numbertext.h"
#include "forms/converters.h"
#include "reference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using Kind = tolvaren::ConvertOutcome::Kind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char *>(data), size);
    const auto types = tolvaren::design::converters();
    const tolvaren::Category &category =
        types[rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % types.size()].category;
    rest.remove_prefix(std::min<std::size_t>(1, rest.size()));
    const auto cut = [&rest] {
        const std::size_t bar = rest.find('|');
        const std::string_view part = rest.substr(0, bar);
        rest.remove_prefix(bar == std::string_view::npos ? rest.size() : bar + 1);
        return part;
    };
    const std::string_view input = cut(), from = cut(), to = rest;

    // Whatever an earlier Convert left.
    const tolvaren::ConversionMemory before{123.25, -6.5};
    tolvaren::ConversionMemory memory = before;
    const tolvaren::ConvertOutcome got = tolvaren::convert(input, from, to, category.units, category.rules, memory);

    const tolvaren::ValResult read = tolvaren::Val(input);
    const bool number = fuzzref::readNumber(input).whole;
    const auto listed = [&](std::string_view unit) {
        return std::find(category.units.begin(), category.units.end(), unit) != category.units.end();
    };
    const bool ruled = std::any_of(category.rules.begin(), category.rules.end(),
                                   [&](const tolvaren::PairRule &r) { return r.from == from && r.to == to; });
    const bool incomplete =
        input.empty() || from.empty() || to.empty() || from == "This unit..." || to == "...converted to";
    const auto detail = [&] {
        return std::string(category.name) + ": input " + fuzzref::shown(input) + ", from " + fuzzref::shown(from) +
               ", to " + fuzzref::shown(to) + ": " +
               std::data({"IncompleteData", "SameUnit", "NotANumber", "UnknownUnit", "Result",
                          "Overflow"})[static_cast<int>(got.kind)] +
               " " + fuzzref::shown(got.result) + ", memory " + fuzzref::shown(memory.inputValue) + " / " +
               fuzzref::shown(memory.resultValue);
    };
    const bool untouched = memory.inputValue == before.inputValue && memory.resultValue == before.resultValue;

    using Field = tolvaren::ConvertOutcome::Field;
    FUZZ_CHECK((got.kind == Kind::IncompleteData) == incomplete, detail());
    FUZZ_CHECK(got.kind == Kind::Result || got.result.empty(), detail());
    if (incomplete || from == to || !number || !listed(from) || !listed(to)) {
        // Refused: the checks in their order, and nothing changes.
        const Kind refusal = incomplete   ? Kind::IncompleteData
                             : from == to ? Kind::SameUnit
                             : !number    ? Kind::NotANumber
                                          : Kind::UnknownUnit;
        const Field field = refusal == Kind::NotANumber    ? Field::Input
                            : refusal != Kind::UnknownUnit ? Field::None
                            : !listed(from)                ? Field::From
                                                           : Field::To;
        FUZZ_CHECK(untouched && got.kind == refusal && got.refused == field, detail());
    } else if (got.kind == Kind::Result) {
        // Two different listed units: some rule holds them.
        FUZZ_CHECK(ruled && !read.overflow && memory.inputValue == read.value, detail());
        FUZZ_CHECK(std::isfinite(memory.resultValue) && got.result == tolvaren::Str(memory.resultValue), detail());
    } else {
        // An overflow comes from reading the input or from a rule's steps;
        // in the second case the memory holds the input that was read.
        FUZZ_CHECK(got.kind == Kind::Overflow && (read.overflow || (ruled && memory.inputValue == read.value)),
                   detail());
    }
    return 0;
}

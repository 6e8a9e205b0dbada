// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Convert on any three texts of any category. The first byte picks the
// category, the rest is "input|from|to". Which outcome a Convert has and
// what it leaves in the memory follow from the texts alone; the numbers a
// rule computes are checked by the table tests, not here.

#include "categories/category.h"
#include "core/convert.h"
#include "core/numbertext.h"
#include "reference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using Kind = tolvaren::ConvertOutcome::Kind;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char *>(data), size);
    const auto categories = tolvaren::allCategories();
    const tolvaren::Category &category =
        *categories[rest.empty() ? 0 : static_cast<unsigned char>(rest[0]) % categories.size()];
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
    const tolvaren::ConvertOutcome got = tolvaren::convert(input, from, to, category.rules, memory);

    const tolvaren::ValResult read = tolvaren::Val(input);
    const bool ruled = std::any_of(category.rules.begin(), category.rules.end(),
                                   [&](const tolvaren::PairRule &r) { return r.from == from && r.to == to; });
    const bool incomplete =
        input.empty() || from.empty() || to.empty() || from == "This unit..." || to == "...converted to";
    const auto detail = [&] {
        return std::string(category.id.key) + ": input " + fuzzref::shown(input) + ", from " + fuzzref::shown(from) +
               ", to " + fuzzref::shown(to) + ": " +
               std::data({"IncompleteData", "SameUnit", "Result", "Overflow"})[static_cast<int>(got.kind)] + " " +
               fuzzref::shown(got.result) + ", memory " + fuzzref::shown(memory.inputValue) + " / " +
               fuzzref::shown(memory.resultValue);
    };
    const bool untouched = memory.inputValue == before.inputValue && memory.resultValue == before.resultValue;

    FUZZ_CHECK((got.kind == Kind::IncompleteData) == incomplete, detail());
    FUZZ_CHECK(got.kind == Kind::Result || got.result.empty(), detail());
    if (incomplete || from == to) {
        FUZZ_CHECK(untouched && (incomplete || got.kind == Kind::SameUnit), detail());
    } else if (got.kind == Kind::Result) {
        FUZZ_CHECK(!read.overflow && memory.inputValue == read.value, detail());
        FUZZ_CHECK(std::isfinite(memory.resultValue) && got.result == tolvaren::Str(memory.resultValue), detail());
        FUZZ_CHECK(ruled || (memory.resultValue == 0 && got.result == " 0"), detail());
    } else {
        // An overflow comes from reading the input or from a rule's steps;
        // in the second case the memory holds the input that was read.
        FUZZ_CHECK(got.kind == Kind::Overflow && (read.overflow || (ruled && memory.inputValue == read.value)),
                   detail());
    }
    return 0;
}

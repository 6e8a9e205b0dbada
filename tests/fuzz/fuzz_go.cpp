// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Go on any input text and any prefix text ("input|prefix"): which outcome
// it has follows from the texts, an input that is not wholly a number is
// refused, a known prefix shows its own caption and a text Str makes, an
// unknown one scales nothing. The products themselves
// are checked by the table tests.

#include "core/numbertext.h"
#include "core/prefix.h"
#include "reference.h"

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <string>

using Kind = tolvaren::GoOutcome::Kind;

// Whether `text` is what Str writes for some finite double: it reads back
// as a value Str writes the same way. The largest doubles are written
// rounded up beyond the range and read back as the overflow error.
static bool strOfFinite(const std::string &text)
{
    const tolvaren::ValResult back = tolvaren::Val(text);
    const double value = back.overflow ? (text[0] == '-' ? -DBL_MAX : DBL_MAX) : back.value;
    return !text.empty() && tolvaren::Str(value) == text;
}

// Each caption names the power of ten its multiplier is, and each
// multiplier is the double nearest to that power.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    for (const tolvaren::Prefix &p : tolvaren::prefixTable()) {
        const long power = std::lround(std::log10(p.multiplier));
        const std::string caption = std::string(p.name) + " = 1.00 x 10 raced to " + std::to_string(power);
        const std::string detail = "prefix " + std::string(p.name) + ": " + std::string(p.caption);
        FUZZ_CHECK(p.caption == caption, detail);
        FUZZ_CHECK(p.multiplier == strtod_l(("1e" + std::to_string(power)).c_str(), nullptr, fuzzref::cLocale()),
                   detail);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::size_t bar = bytes.find('|');
    const std::string_view input = bytes.substr(0, bar);
    const std::string_view prefix = bar == std::string_view::npos ? std::string_view{} : bytes.substr(bar + 1);

    const tolvaren::GoOutcome got = tolvaren::go(input, prefix);
    const auto table = tolvaren::prefixTable();
    const auto known = std::find_if(table.begin(), table.end(), [&](const auto &p) { return p.name == prefix; });
    const auto detail = [&] {
        return "Go(" + fuzzref::shown(input) + ", " + fuzzref::shown(prefix) +
               ") = " + std::data({"Missing", "NotANumber", "Result", "Overflow"})[static_cast<int>(got.kind)] + " " +
               fuzzref::shown(got.output) + " " + fuzzref::shown(got.caption);
    };

    const bool missing = input.empty() || prefix.empty(), overflow = tolvaren::Val(input).overflow;
    const bool number = fuzzref::readNumber(input).whole;
    FUZZ_CHECK((got.kind == Kind::Missing) == missing, detail());
    FUZZ_CHECK((got.kind == Kind::NotANumber) == (!missing && !number), detail());
    if (missing || got.kind == Kind::Overflow || got.kind == Kind::NotANumber) {
        // An overflow comes from reading the input or from the product.
        FUZZ_CHECK(got.kind != Kind::Overflow || overflow || known != table.end(), detail());
        FUZZ_CHECK(got.output.empty() && got.caption.empty(), detail());
    } else if (known != table.end()) {
        FUZZ_CHECK(!overflow && got.caption == known->caption && strOfFinite(got.output), detail());
    } else {
        FUZZ_CHECK(!overflow && got.output == " 0" && got.caption.empty(), detail());
    }
    return 0;
}

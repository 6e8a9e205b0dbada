// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Val on any text: never a crash, never a sanitizer report, and always the
// number the text stands for, as an independent reading works it out.

#include "core/numbertext.h"
#include "reference.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkAgainstReference(std::string_view text)
{
    const tolvaren::ValResult got = tolvaren::Val(text);
    const fuzzref::Read want = fuzzref::readNumber(text);
    const auto detail = [&] {
        return "Val(" + fuzzref::shown(text) + ") = " + fuzzref::shown(got.value) + (got.overflow ? " overflow" : "") +
               (got.whole ? " whole" : "") + ", expected " + fuzzref::shown(want.value) +
               (want.overflow ? " overflow" : "") + (want.whole ? " whole" : "");
    };
    FUZZ_CHECK(got.overflow == want.overflow, detail());
    FUZZ_CHECK(got.whole == want.whole, detail());
    if (!want.overflow)
        FUZZ_CHECK(got.value == want.value, detail());
    // What a Convert would go on to show must be a number, never NaN or an
    // infinity: those are the overflow error.
    FUZZ_CHECK(got.overflow || std::isfinite(got.value), detail());
}

// Texts of a million characters, built once: the reading must stay linear
// and give the same number as the short forms of the same texts.
void checkLongTexts()
{
    constexpr std::size_t n = 1'000'000;
    struct Case {
        std::string text;
        double value;
        bool overflow;
    };
    const Case cases[] = {
        {"1" + std::string(n, ' ') + "5", 15.0, false},
        {std::string(n, '9'), 0.0, true},
        {"." + std::string(n, '0') + "1", 0.0, false},
        {"0." + std::string(n, '9'), 1.0, false},
        {"&H" + std::string(n, 'F'), -1.0, false},
        {"&O" + std::string(n, '0') + "17", 15.0, false},
        {"1e" + std::string(n, '0') + "5", 100000.0, false},
        {"-1e-" + std::string(n, '9'), 0.0, false},
        {std::string(n, '\t'), 0.0, false},
        {"24" + std::string(n, 'x'), 24.0, false},
        {std::string(n, '0') + "1.5", 1.5, false},
    };
    for (const Case &c : cases) {
        const tolvaren::ValResult got = tolvaren::Val(c.text);
        const auto detail = [&] {
            return "long text " + fuzzref::shown(c.text) + " read as " + fuzzref::shown(got.value);
        };
        FUZZ_CHECK(got.overflow == c.overflow, detail());
        if (!c.overflow)
            FUZZ_CHECK(got.value == c.value, detail());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    checkLongTexts();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkAgainstReference(text);
    // A number ends at the first character that does not fit it, so what
    // follows such a character cannot change the reading, whatever it is.
    const tolvaren::ValResult plain = tolvaren::Val(text);
    const tolvaren::ValResult withTail = tolvaren::Val(std::string(text) + "%" + std::string(text));
    FUZZ_CHECK(withTail.overflow == plain.overflow && (plain.overflow || withTail.value == plain.value),
               "a tail after " + fuzzref::shown(text) + " changed its reading");
    FUZZ_CHECK(!withTail.whole, "a tail after " + fuzzref::shown(text) + " was taken as part of a number");
    return 0;
}

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Str on any double (the fuzzer's bytes, eight at a time): the text keeps its
// grammar, rounds to 15 significant digits and reads back through Val as the
// rounded value; an infinity or NaN gets a defined text and no crash.

#include "core/numbertext.h"
#include "reference.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void checkStr(double x)
{
    const std::string s = tolvaren::Str(x);
    const auto detail = [&] { return "Str(" + fuzzref::shown(x) + ") = " + fuzzref::shown(s); };

    FUZZ_CHECK(!s.empty() && (s[0] == ' ' || s[0] == '-'), detail());
    FUZZ_CHECK(tolvaren::Str(x) == s, detail());
    if (!std::isfinite(x)) {
        // Never shown, but defined, and never to be taken for a number.
        FUZZ_CHECK(s.size() <= 16 && s.find_first_of("0123456789") == std::string::npos, detail());
        return;
    }
    FUZZ_CHECK(s[0] == (x < 0 ? '-' : ' '), detail());

    // Grammar: sign, digits with at most one point, then maybe E+XX / E-XX.
    std::size_t i = 1;
    std::string whole, fraction, exponentDigits;
    bool point = false, exponentForm = false;
    for (; i < s.size() && isDigit(s[i]); ++i)
        whole.push_back(s[i]);
    if (i < s.size() && s[i] == '.') {
        point = true;
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            fraction.push_back(s[i]);
    }
    if (i < s.size() && s[i] == 'E') {
        exponentForm = true;
        ++i;
        FUZZ_CHECK(i < s.size() && (s[i] == '+' || s[i] == '-'), detail());
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            exponentDigits.push_back(s[i]);
        FUZZ_CHECK(exponentDigits.size() == 2 || (exponentDigits.size() == 3 && exponentDigits[0] != '0'), detail());
    }
    FUZZ_CHECK(i == s.size(), detail());
    FUZZ_CHECK((!whole.empty() || !fraction.empty()) && (!point || !fraction.empty()), detail());
    // Trailing zeros after the point are dropped.
    FUZZ_CHECK(fraction.empty() || fraction.back() != '0', detail());
    if (x == 0) {
        FUZZ_CHECK(s == " 0", detail());
        return;
    }
    if (exponentForm)
        FUZZ_CHECK(whole.size() == 1 && whole[0] != '0', detail());
    else
        FUZZ_CHECK(whole.empty() || whole[0] != '0', detail()); // no "0" before the point of a value below 1
    std::string significant = whole + fraction;
    significant.erase(0, significant.find_first_not_of('0'));
    FUZZ_CHECK(!significant.empty() && significant.size() <= 15, detail());

    // Back through Val: the value rounded to 15 digits, or the overflow error
    // where that rounding leaves the double range.
    const fuzzref::Rounded r = fuzzref::round15(x);
    const tolvaren::ValResult back = tolvaren::Val(s);
    const auto backDetail = [&] {
        return detail() + " reads back as " + fuzzref::shown(back.value) + (back.overflow ? " overflow" : "") +
               ", expected " + fuzzref::shown(r.value);
    };
    if (std::isinf(r.value))
        FUZZ_CHECK(back.overflow, backDetail());
    else
        FUZZ_CHECK(!back.overflow && back.value == r.value, backDetail());

    // Fixed notation from 1E-4 up to 15 integer digits (where %.15G is
    // fixed), exponent form from 1E+15 and for 1E-15 and below; in between a
    // small number is written in fixed notation when at most 15 decimals
    // hold all of its digits. At 1E-5 a value that needs more than 15
    // decimals may go either way, so neither form is required there.
    const int e = r.exponent, decimals = -e + (r.figures - 1);
    if (e != -5 || decimals <= 15)
        FUZZ_CHECK(exponentForm != (e >= -4 ? e <= 14 : e > -15 && decimals <= 15), detail());

    // A negative value reads as its magnitude with "-" for the blank.
    if (x > 0) {
        const std::string negative = tolvaren::Str(-x);
        FUZZ_CHECK(negative == "-" + s.substr(1), detail() + " but Str(-x) = " + fuzzref::shown(negative));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (std::size_t offset = 0; offset == 0 || offset < size; offset += 8) {
        std::uint64_t bits = 0;
        if (size > offset)
            std::memcpy(&bits, data + offset, std::min<std::size_t>(8, size - offset));
        checkStr(std::bit_cast<double>(bits));
    }
    return 0;
}

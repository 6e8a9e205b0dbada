// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

// Second opinions for the fuzz targets: how a number text reads and how a
// double rounds to 15 digits, worked out another way than the program does
// (glibc's strtod and printf in the "C" locale instead of from_chars and
// to_chars), and a check that stops the run with a readable message.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>

namespace fuzzref {

[[noreturn]] inline void fail(const char *what, std::string_view detail)
{
    std::fprintf(stderr, "\n*** broken: %s\n*** %.*s\n", what,
                 static_cast<int>(std::min<std::size_t>(detail.size(), 2000)), detail.data());
    std::abort();
}

#define FUZZ_CHECK(cond, detail)                                                                                       \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::fuzzref::fail(#cond, (detail));                                                                          \
    } while (0)

inline locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

// A text with every byte shown, for failure messages.
inline std::string shown(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text.substr(0, 300)) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
            out.push_back(static_cast<char>(c));
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    if (text.size() > 300)
        out += "...(" + std::to_string(text.size()) + " bytes)";
    return out + "\"";
}

inline std::string shown(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g (%a)", x, x);
    return buf;
}

struct Read {
    double value = 0.0;
    bool overflow = false;
    bool whole = false; // nothing but the number, blanks aside
};

inline bool skipped(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
inline bool decimal(char c) { return c >= '0' && c <= '9'; }

inline int digitOf(char c, int base)
{
    const char lower = static_cast<char>(c | 0x20);
    const int d = decimal(c) ? c - '0' : (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
    return d < base ? d : -1;
}

// How a number text must read. The blanks go first (they count nowhere), then
// the text is cut down to the part that forms a number and handed to strtod.
inline Read readNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!skipped(c))
            s.push_back(c);
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < s.size() ? s[k] : '\0'; };

    if (at(i) == '&') {
        const char kind = at(i + 1);
        const int base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
        if (base == 0)
            return {};
        i += 2;
        std::uint64_t low = 0;   // the value modulo 2^32
        bool above32 = false;    // the value needs more than 32 bits
        std::size_t figures = 0; // digits after the leading zeros
        const std::size_t first = i;
        for (int d; (d = digitOf(at(i), base)) >= 0; ++i) {
            if (figures == 0 && d == 0)
                continue;
            ++figures;
            low = low * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
            if (low > 0xFFFFFFFFu) {
                above32 = true;
                low &= 0xFFFFFFFFu;
            }
        }
        const bool short16 = base == 16 ? figures <= 4 : (!above32 && low <= 0xFFFFu);
        const double wide = short16 ? 65536.0 : 4294967296.0;
        const double half = wide / 2;
        const double v = static_cast<double>(low);
        return {v >= half ? v - wide : v, false, i > first && i == s.size()};
    }

    bool negative = false;
    if (at(i) == '+' || at(i) == '-')
        negative = s[i++] == '-';
    std::string number;
    bool anyDigit = false;
    for (; decimal(at(i)); ++i, anyDigit = true)
        number.push_back(s[i]);
    if (at(i) == '.') {
        number.push_back('.');
        for (++i; decimal(at(i)); ++i, anyDigit = true)
            number.push_back(s[i]);
    }
    if (!anyDigit)
        return {};
    const char e = at(i);
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (at(j) == '+' || at(j) == '-')
            exponent.push_back(s[j++]);
        bool expDigit = false;
        for (; decimal(at(j)); ++j, expDigit = true)
            exponent.push_back(s[j]);
        if (expDigit)
            number += exponent;
        // A letter with no digits after it is left over.
        i = expDigit ? j : i;
    }
    const bool whole = i == s.size();
    const double v = strtod_l(number.c_str(), nullptr, cLocale());
    if (std::isinf(v))
        return {0.0, true, whole};
    return {negative ? -v : v, false, whole};
}

// x with 15 significant digits, as printf rounds it; infinite when that
// rounding leaves the double range (the largest double is one of those).
struct Rounded {
    double value;
    int exponent; // decimal exponent of the first digit
    int figures;  // significant digits without trailing zeros, 1 to 15
};

inline Rounded round15(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    // A finite x comes out as "[-]d.dddddddddddddde[+-]XX".
    const char *p = buf + (buf[0] == '-' ? 1 : 0);
    std::string digits = p[0] + std::string(p + 2, 14);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return {strtod_l(buf, nullptr, cLocale()), std::atoi(p + 17), static_cast<int>(digits.size())};
}

} // namespace fuzzref

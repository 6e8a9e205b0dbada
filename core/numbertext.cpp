// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "core/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace tolvaren {

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text while skipping blanks, so that every reader below sees the
// characters that count and nothing else.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : m_text(text) { skip(); }

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void next()
    {
        ++m_pos;
        skip();
    }

  private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octDigit(char c) { return (c >= '0' && c <= '7') ? c - '0' : -1; }

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The integer a text of at most 19 decimal digits stands for.
std::uint64_t digitValue(std::string_view digits)
{
    std::uint64_t v = 0;
    for (char c : digits)
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    return v;
}

// "&H..." and "&O...": integer literals typed by their size. Short forms are
// 16-bit, longer ones 32-bit; anything longer keeps its low 32 bits. The
// result is read as signed, so "&HFFFF" is -1 and "&H10000" is 65536.
ValResult readRadix(Cursor &cur, bool hex)
{
    const unsigned shift = hex ? 4 : 3;
    std::uint32_t low = 0;  // the low 32 bits of the value
    bool beyond32 = false;  // some bit above the low 32 was set
    bool anyDigit = false;  // leading zeros included
    std::size_t digits = 0; // significant digits (leading zeros do not count)
    for (; !cur.atEnd(); cur.next()) {
        const int d = hex ? hexDigit(cur.peek()) : octDigit(cur.peek());
        if (d < 0)
            break;
        anyDigit = true;
        if (digits == 0 && d == 0)
            continue;
        ++digits;
        if ((low >> (32 - shift)) != 0)
            beyond32 = true;
        low = (low << shift) | static_cast<std::uint32_t>(d);
    }
    const bool fits16 = hex ? digits <= 4 : (!beyond32 && low <= 0xFFFFu);
    const double value =
        fits16 ? static_cast<std::int16_t>(static_cast<std::uint16_t>(low)) : static_cast<std::int32_t>(low);
    return {value, false, anyDigit && cur.atEnd()};
}

} // namespace

ValResult Val(std::string_view text)
{
    Cursor cur(text);

    if (cur.peek() == '&') {
        cur.next();
        const char kind = cur.peek();
        if (kind == 'H' || kind == 'h' || kind == 'O' || kind == 'o') {
            cur.next();
            return readRadix(cur, kind == 'H' || kind == 'h');
        }
        return {};
    }

    bool negative = false;
    if (cur.peek() == '+' || cur.peek() == '-') {
        negative = cur.peek() == '-';
        cur.next();
    }

    // Significant digits without leading zeros, and the power of ten of the
    // last digit kept: value = digits x 10^scale.
    std::string digits;
    std::int64_t scale = 0;
    bool sawDigit = false;
    for (; isDigit(cur.peek()); cur.next()) {
        sawDigit = true;
        if (!digits.empty() || cur.peek() != '0')
            digits.push_back(cur.peek());
    }
    if (cur.peek() == '.') {
        cur.next();
        for (; isDigit(cur.peek()); cur.next()) {
            sawDigit = true;
            if (!digits.empty() || cur.peek() != '0')
                digits.push_back(cur.peek());
            --scale;
        }
    }
    if (!sawDigit)
        return {};

    // An exponent letter with no digits after it adds nothing to the value,
    // and leaves a text that is not wholly a number.
    bool exponentComplete = true;
    const char e = cur.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        cur.next();
        exponentComplete = false;
        bool expNegative = false;
        if (cur.peek() == '+' || cur.peek() == '-') {
            expNegative = cur.peek() == '-';
            cur.next();
        }
        // Saturate: past this bound the value is 0 or beyond the range for
        // any mantissa the text could hold.
        constexpr std::int64_t cap = std::int64_t{1} << 40;
        std::int64_t exponent = 0;
        for (; isDigit(cur.peek()); cur.next()) {
            exponentComplete = true;
            exponent = std::min(cap, exponent * 10 + (cur.peek() - '0'));
        }
        scale += expNegative ? -exponent : exponent;
    }
    const bool whole = exponentComplete && cur.atEnd();

    if (digits.empty())
        return {negative ? -0.0 : 0.0, false, whole};

    // The decimal exponent of the leading digit decides the easy cases and
    // keeps the text handed to from_chars short of absurd exponents.
    const std::int64_t magnitude = scale + static_cast<std::int64_t>(digits.size()) - 1;
    if (magnitude > 309)
        return {0.0, true, whole};
    if (magnitude < -400)
        return {negative ? -0.0 : 0.0, false, whole};

    double value = 0.0;
    std::errc ec{};
    if (digits.size() <= 15 && scale >= -22 && scale <= 22) {
        // Both operands are exact doubles (below 2^53 and at most 10^22), so
        // the one operation rounds correctly, as from_chars would.
        const auto mantissa = static_cast<double>(digitValue(digits));
        value = scale < 0 ? mantissa / kPowersOfTen[-scale] : mantissa * kPowersOfTen[scale];
    } else {
        char exp[24] = {'e'};
        digits.append(exp, static_cast<std::size_t>(std::to_chars(exp + 1, exp + sizeof exp, scale).ptr - exp));
        ec = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec;
    }
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0)
            return {0.0, true, whole};
        value = 0.0;
    }
    if (std::isinf(value))
        return {0.0, true, whole};
    return {negative ? -value : value, false, whole};
}

std::string Str(double value)
{
    if (std::isnan(value))
        return " NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : " Inf";
    if (value == 0.0)
        return " 0";

    // 15 significant digits, correctly rounded, as "[-]d.dddddddddddddde+XX".
    char sci[64];
    const char *sciEnd = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14).ptr;
    const bool negative = sci[0] == '-';
    const char *p = sci + (negative ? 1 : 0);

    // The mantissa's digits without the point and without trailing zeros.
    char mantissa[16];
    std::size_t digits = 0;
    mantissa[digits++] = p[0];
    for (p += 2; *p != 'e'; ++p)
        mantissa[digits++] = *p;
    while (digits > 1 && mantissa[digits - 1] == '0')
        --digits;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), sciEnd, exponent);
    const int decimals = static_cast<int>(digits) - 1;

    // Fixed notation for exponents from -4 to 14, as "%.15G" writes them;
    // below that, fixed as long as 15 decimals still hold every digit.
    const bool fixed = exponent >= -4 ? exponent < 15 : (-exponent < 15 && -exponent + decimals <= 15);

    char out[40];
    char *o = out;
    *o++ = negative ? '-' : ' ';
    if (fixed && exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits <= intDigits) {
            o = std::copy(mantissa, mantissa + digits, o);
            o = std::fill_n(o, intDigits - digits, '0');
        } else {
            o = std::copy(mantissa, mantissa + intDigits, o);
            *o++ = '.';
            o = std::copy(mantissa + intDigits, mantissa + digits, o);
        }
    } else if (fixed) {
        *o++ = '.';
        o = std::fill_n(o, -exponent - 1, '0');
        o = std::copy(mantissa, mantissa + digits, o);
    } else {
        *o++ = mantissa[0];
        if (digits > 1) {
            *o++ = '.';
            o = std::copy(mantissa + 1, mantissa + digits, o);
        }
        *o++ = 'E';
        *o++ = exponent < 0 ? '-' : '+';
        const int absExp = exponent < 0 ? -exponent : exponent;
        if (absExp < 10)
            *o++ = '0';
        o = std::to_chars(o, out + sizeof out, absExp).ptr;
    }
    return std::string(out, o);
}

} // namespace tolvaren

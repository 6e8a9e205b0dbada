#include "runtime/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

// "&H..." and "&O...": integer literals typed by their size. Short forms are
// 16-bit, longer ones 32-bit; anything longer keeps its low 32 bits. The
// result is read as signed, so "&HFFFF" is -1 and "&H10000" is 65536.
double readRadix(Cursor &cur, bool hex)
{
    const unsigned shift = hex ? 4 : 3;
    std::uint32_t low = 0;   // the low 32 bits of the value
    bool beyond32 = false;   // some bit above the low 32 was set
    std::size_t digits = 0;  // significant digits (leading zeros do not count)
    for (; !cur.atEnd(); cur.next()) {
        const int d = hex ? hexDigit(cur.peek()) : octDigit(cur.peek());
        if (d < 0)
            break;
        if (digits == 0 && d == 0)
            continue;
        ++digits;
        if ((low >> (32 - shift)) != 0)
            beyond32 = true;
        low = (low << shift) | static_cast<std::uint32_t>(d);
    }
    const bool fits16 = hex ? digits <= 4 : (!beyond32 && low <= 0xFFFFu);
    if (fits16)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low));
    return static_cast<std::int32_t>(low);
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
            return {readRadix(cur, kind == 'H' || kind == 'h'), false};
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

    const char e = cur.peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        cur.next();
        bool expNegative = false;
        if (cur.peek() == '+' || cur.peek() == '-') {
            expNegative = cur.peek() == '-';
            cur.next();
        }
        // Saturate: past this bound the value is 0 or beyond the range for
        // any mantissa the text could hold.
        constexpr std::int64_t cap = std::int64_t{1} << 40;
        std::int64_t exponent = 0;
        for (; isDigit(cur.peek()); cur.next())
            exponent = std::min(cap, exponent * 10 + (cur.peek() - '0'));
        scale += expNegative ? -exponent : exponent;
    }

    if (digits.empty())
        return {negative ? -0.0 : 0.0, false};

    // The decimal exponent of the leading digit decides the easy cases and
    // keeps the text handed to from_chars short of absurd exponents.
    const std::int64_t magnitude = scale + static_cast<std::int64_t>(digits.size()) - 1;
    if (magnitude > 309)
        return {0.0, true};
    if (magnitude < -400)
        return {negative ? -0.0 : 0.0, false};

    digits.push_back('e');
    digits += std::to_string(scale);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0)
            return {0.0, true};
        value = 0.0;
    }
    if (std::isinf(value))
        return {0.0, true};
    return {negative ? -value : value, false};
}

std::string Str(double value)
{
    if (std::isnan(value))
        return " NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : " Inf";
    if (value == 0.0)
        return " 0";

    // 15 significant digits, correctly rounded, as "d.dddddddddddddde+XX".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));

    const bool negative = sci.front() == '-';
    if (negative)
        sci.remove_prefix(1);
    const std::size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            mantissa.push_back(c);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    const int exponent = std::atoi(std::string(sci.substr(ePos + 1)).c_str());
    const int decimals = static_cast<int>(mantissa.size()) - 1;

    // Fixed notation from 1E-14 up to 15 integer digits, as long as 15
    // decimals still hold every digit of a small number.
    const bool fixed = exponent >= 0 ? exponent < 15 : (-exponent < 15 && -exponent + decimals <= 15);

    std::string out(1, negative ? '-' : ' ');
    if (fixed && exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (mantissa.size() <= intDigits) {
            out += mantissa;
            out.append(intDigits - mantissa.size(), '0');
        } else {
            out += mantissa.substr(0, intDigits);
            out += '.';
            out += mantissa.substr(intDigits);
        }
    } else if (fixed) {
        out += '.';
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += mantissa;
    } else {
        out += mantissa[0];
        if (mantissa.size() > 1) {
            out += '.';
            out += mantissa.substr(1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int absExp = exponent < 0 ? -exponent : exponent;
        if (absExp < 10)
            out += '0';
        out += std::to_string(absExp);
    }
    return out;
}

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

// The two number-text functions every form relies on. Both are plain C++ and
// never consult the process locale: "." is the decimal point everywhere.
namespace tolvaren {

// What Val read. A number beyond the double range is the overflow error, so
// it is reported instead of turning into an infinity. `whole` says whether
// the text, blanks, tabs and line breaks left out, is that one number and
// nothing else: a sign, digits with at most one point, an exponent with
// digits; or "&H" / "&O" with digits of that base. "12abc" reads as 12 but
// is no number the program converts.
struct ValResult {
    double value = 0.0;
    bool overflow = false;
    bool whole = false;
};

// The number written at the start of `text`; 0 when there is none. Blanks,
// tabs and line breaks are skipped anywhere, "&H" / "&O" read hexadecimal
// and octal integers, E or D starts an exponent. Linear in the text length.
ValResult Val(std::string_view text);

// Decimal text of a double with at most 15 significant digits: a leading
// blank for zero and positive values, "-" for negative ones, no "0" before
// the point of a value below 1, "E+XX" / "E-XX" for very large or small ones.
std::string Str(double value);

} // namespace tolvaren

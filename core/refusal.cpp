// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "core/refusal.h"

#include "core/convert.h"
#include "core/numbertext.h"

#include <algorithm>
#include <optional>

namespace tolvaren {

namespace {

// The longest typed text a message quotes whole, in characters.
constexpr std::size_t kLongestQuoted = 40;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool sameButCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

// `text` quoted, cut after kLongestQuoted - 1 characters (never inside one)
// with an ellipsis when it is longer than kLongestQuoted.
std::string quoted(std::string_view text)
{
    std::size_t characters = 0, cut = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue; // a continuation byte of the character before
        if (characters == kLongestQuoted - 1)
            cut = i;
        ++characters;
    }
    if (characters <= kLongestQuoted)
        return '"' + std::string(text) + '"';
    return '"' + std::string(text.substr(0, cut)) + "\u2026\"";
}

std::optional<std::string> withDecimalPoint(std::string_view input)
{
    if (std::count(input.begin(), input.end(), ',') != 1)
        return std::nullopt;
    std::string reading(trimmed(input));
    std::replace(reading.begin(), reading.end(), ',', '.');
    if (!Val(reading).whole)
        return std::nullopt;
    return reading;
}

} // namespace

std::string notANumberMessage(std::string_view input)
{
    std::string message(kNotANumberPrompt);
    if (const auto reading = withDecimalPoint(input))
        message += ". Use a point for decimals: " + quoted(*reading) + ".";
    return message;
}

std::string unknownUnitMessage(std::string_view typed, std::span<const std::string_view> units)
{
    std::string message = std::string(kUnknownUnitPrompt) + quoted(typed) + ". ";
    const auto meant = std::find_if(units.begin(), units.end(),
                                    [&](std::string_view unit) { return sameButCase(trimmed(typed), unit); });
    if (meant != units.end())
        return message + "Did you mean " + quoted(*meant) + "?";
    return message + "Pick a unit from the list.";
}

} // namespace tolvaren

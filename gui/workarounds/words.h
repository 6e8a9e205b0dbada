// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace tolvaren {

// A word is a run of non-blank characters, so " 16.404" and "deg." are one
// word each. Ctrl+Left and Ctrl+Right move by these words, and screen
// readers are told of the same words, so that a number is read whole.
inline bool isBlank(QChar c) { return c.isSpace(); }

inline bool startsWord(const QString &text, int i)
{
    return i >= 0 && i < text.size() && !isBlank(text[i]) && (i == 0 || isBlank(text[i - 1]));
}

// Ctrl+Right from `from`: over the blanks, the word and the blanks after
// it, to the start of the next word or the end of the text.
inline int wordStepRight(const QString &text, int from)
{
    int i = from;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

// Ctrl+Left from `from`: back over blanks to the start of the word before.
inline int wordStepLeft(const QString &text, int from)
{
    int i = from;
    while (i > 0 && isBlank(text[i - 1]))
        --i;
    while (i > 0 && !isBlank(text[i - 1]))
        --i;
    return i;
}

} // namespace tolvaren

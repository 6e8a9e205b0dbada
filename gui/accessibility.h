// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QAccessible>
#include <QString>

#include <utility>

class QLineEdit;

namespace tolvaren {

// What screen readers get from some of Qt 6.4's widgets, in place of Qt's
// own descriptions, whose faults reach users:
// - text boxes: asking for the word at the start of a text that begins
//   with a blank (every result does) loops for ever, and text attributes
//   come back as empty ranges, so a reader ends the line one character
//   early and misreads " 16.404" as "16.40";
// - editable lists are named by their text, not by what they are for;
// - the frame around a form inside the main window is named by its title
//   alone, which it leaves empty, so switching forms says only "frame".
// Call once, after the QApplication exists.
void installAccessibility();

// Selects all of `edit`'s text without telling screen readers of the new
// selection: for a box that takes the focus, which they read whole anyway.
void selectAllQuietly(QLineEdit *edit);

// Tells screen readers of a new result shown in `window`, while the focus
// stays where it is.
void announce(QWidget *window, const QString &text);

// The piece of `text` that holds `offset` for a reader moving by
// `boundary`, as [start, end). A single-line box is one line, sentence and
// paragraph; words run from the start of one word of non-blank characters
// to the start of the next, so a number is read whole.
std::pair<int, int> textPieceAt(const QString &text, int offset, QAccessible::TextBoundaryType boundary);

} // namespace tolvaren

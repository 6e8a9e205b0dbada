// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>

class QLineEdit;
class QWidget;

// What the windows call of the workarounds of Qt's faults. Each workaround
// lives in a file of its own in this folder, saying what Qt does wrong and
// how to see it; faults.cpp lists the Qt versions each fault was measured
// on, and only the workarounds of faults the running Qt has are installed.
namespace tolvaren {

// Installs the workarounds the running Qt needs. Call once, after the
// QApplication exists.
void installQtWorkarounds();

// `picture` smoothly scaled to `size`.
QImage smoothlyScaled(const QImage &picture, QSize size);

// Selects all of `edit`'s text without telling screen readers of the new
// selection: for a box that takes the focus, which they read whole anyway.
void selectAllQuietly(QLineEdit *edit);

// Leaves `decoration` (a line drawn on a window) out of what screen readers
// find in its window.
void leaveOutForReaders(QWidget *decoration);

// Gives `widget`'s window the keyboard back after a window of the program
// closed, also where no window manager hands it back.
void takeKeyboardBack(QWidget *widget);

// Takes a modal window that has just closed and deletes it when the next
// one closes, or as the program quits, where readers still ask after a
// closed window for a while; else soon.
void keepClosedWindow(QWidget *closed);

// While one form replaces another: the focus moves Qt makes meanwhile are
// not told; once it is gone and the switch done, the control with the
// focus is told once.
class FocusSettling {
  public:
    FocusSettling();
    ~FocusSettling();
    FocusSettling(const FocusSettling &) = delete;
    FocusSettling &operator=(const FocusSettling &) = delete;
};

} // namespace tolvaren

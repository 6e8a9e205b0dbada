// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QStringList>

#include <optional>

namespace tolvaren {

// Qt ends a program with an abort when its platform finds no display, and
// offers no way to ask beforehand. Its desktop platforms need DISPLAY (X11)
// or WAYLAND_DISPLAY: when neither is set and no platform or display is
// named (QT_QPA_PLATFORM, -platform, -display), this points Qt at its
// offscreen platform, which needs none, and silences Qt's messages, so that
// the command line can still be answered, and returns false. The program
// then ends with one line.
bool expectDisplay(int argc, char **argv);

// Answers --help and --version and reports a mistake on the arguments the
// QApplication left (it takes its own options out). Returns the exit status
// when the program is to end here, std::nullopt when it opens its window.
std::optional<int> answerCommandLine(const QStringList &arguments);

} // namespace tolvaren

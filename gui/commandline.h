// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

namespace tolvaren {

// Reads the command line before anything else starts, so that --help,
// --version and a mistyped option are answered without a display. Qt's own
// options (-platform, -display, -style, ...) are accepted and left for the
// QApplication to act on. Returns the exit status when the program is to end
// here, std::nullopt when it goes on to open its window.
std::optional<int> answerCommandLine(int argc, char **argv);

// Qt ends a program whose display cannot be opened with an abort and a long
// message that suggests reinstalling it. While a guard exists, Qt's messages
// are held back; if opening the display fails, one line saying so goes to
// standard error and the program ends with status 1. Otherwise release()
// (or the destructor) passes the held messages on.
//
//   DisplayFailureGuard guard;
//   QApplication app(argc, argv);
//   guard.release();
class DisplayFailureGuard {
  public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard &) = delete;
    DisplayFailureGuard &operator=(const DisplayFailureGuard &) = delete;

    void release();

  private:
    bool m_released = false;
};

} // namespace tolvaren

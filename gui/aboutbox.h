// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "gui/dialogform.h"

namespace tolvaren {

// What the program is. Everything it shows is fixed; OK, Enter, Escape and
// the close box all close it.
class AboutBox : public DialogForm {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget *parent = nullptr);
};

} // namespace tolvaren

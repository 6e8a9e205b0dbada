// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/builder.h"
#include "forms/design.h"

#include <QDialog>

namespace tolvaren {

// A modal window built from its design, of fixed size: the prefix converter
// and the About box.
class DialogForm : public QDialog {
    Q_OBJECT
  public:
    explicit DialogForm(const design::Form &design, QWidget *parent = nullptr);

  protected:
    void showEvent(QShowEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    BuiltForm m_built;
};

} // namespace tolvaren

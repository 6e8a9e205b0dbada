// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/builder.h"
#include "forms/design.h"

#include <QDialog>

namespace tolvaren {

// A window of fixed size shows a title and a close button, no maximise and no
// minimise: no window manager or compositor is to offer it another size.
inline constexpr Qt::WindowFlags kFixedSizeWindowFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

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

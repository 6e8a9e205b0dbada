// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "gui/dialogform.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace tolvaren {

// The prefix converter: scales a number by the prefix picked in the list.
// Each opening is a new dialog, and it never touches the conversion memory.
// Close, its close box and Escape all close it.
class PrefixDialog : public DialogForm {
    Q_OBJECT
  public:
    explicit PrefixDialog(QWidget *parent = nullptr);

  public slots:
    void go();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    QListWidget *m_list = nullptr;
    QLineEdit *m_input = nullptr;
    QLineEdit *m_output = nullptr;
    QLabel *m_caption = nullptr;
};

} // namespace tolvaren

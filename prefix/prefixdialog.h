#pragma once

#include "forms/dialogform.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace tolvaren {

// The prefix converter: scales a number by the prefix picked in the list.
// It keeps nothing between openings and never touches the conversion memory.
// Close, its close box and Escape (as in any dialog) all unload it.
class PrefixDialog : public DialogForm {
    Q_OBJECT
  public:
    explicit PrefixDialog(QWidget *parent = nullptr);

    void Command1_Click(); // Go
    void Command2_Click(); // Close

  private:
    QListWidget *m_list = nullptr;
    QLineEdit *m_input = nullptr;
    QLineEdit *m_output = nullptr;
    QLabel *m_caption = nullptr;
};

} // namespace tolvaren

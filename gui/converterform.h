// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/memory.h"
#include "gui/formwidget.h"

class QComboBox;
class QLineEdit;

namespace tolvaren {

struct Category;

// One converter form: a measurement type's design and table behind the
// input box, two unit lists, the output box, Convert and New. Each opening
// shows the design texts and starts a fresh conversion memory.
class ConverterForm : public FormWidget {
    Q_OBJECT
  public:
    ConverterForm(const design::Form &design, const Category &category, ConversionMemory &memory,
                  QWidget *parent = nullptr);

    void prepareOpening() override;

    // Test hooks: nothing in the program calls these.
    QLineEdit *inputBox() const { return m_input; }
    QComboBox *fromList() const { return m_from; }
    QComboBox *toList() const { return m_to; }
    QLineEdit *outputBox() const { return m_output; }

  public slots:
    void convert();
    // New: the form as it opened, and a fresh memory.
    void clear();

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    const Category &m_category;
    ConversionMemory &m_memory;
    QLineEdit *m_input = nullptr;
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
    QLineEdit *m_output = nullptr;
};

} // namespace tolvaren

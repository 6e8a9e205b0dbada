#pragma once

#include "categories/category.h"
#include "forms/formwidget.h"

class QComboBox;
class QLineEdit;

namespace tolvaren {

// One converter form: a measurement type's design and table behind the
// shared input box, two unit lists, output box, Convert and New.
class ConverterForm : public FormWidget {
    Q_OBJECT
  public:
    ConverterForm(const design::Form &design, const Category &category, QWidget *parent = nullptr);

    void Form_Load() override;
    void Command1_Click(); // Convert
    void Command2_Click(); // New

    QLineEdit *inputBox() const { return m_input; }
    QComboBox *fromList() const { return m_from; }
    QComboBox *toList() const { return m_to; }
    QLineEdit *outputBox() const { return m_output; }

  private:
    void describeControls();

    const Category &m_category;
    QLineEdit *m_input = nullptr;
    QComboBox *m_from = nullptr;
    QComboBox *m_to = nullptr;
    QLineEdit *m_output = nullptr;
};

} // namespace tolvaren

#include "convert/converterform.h"

#include "convert/categoryswitch.h"
#include "convert/memory.h"
#include "convert/procedure.h"
#include "runtime/msgbox.h"
#include "runtime/qtext.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace tolvaren {

ConverterForm::ConverterForm(const design::Form &design, const Category &category, QWidget *parent)
    : FormWidget(design, parent), m_category(category)
{
    m_input = m_built.as<QLineEdit>(qstr(category.inputBox));
    m_from = m_built.as<QComboBox>(qstr(category.fromList));
    m_to = m_built.as<QComboBox>(qstr(category.toList));
    m_output = m_built.as<QLineEdit>(qstr(category.outputBox));
    Q_ASSERT(m_input && m_from && m_to && m_output);
    // The procedure overwrites the output at every Convert and New; the
    // user can still select and copy it.
    m_output->setReadOnly(true);

    if (auto *convert = m_built.as<QPushButton>(QStringLiteral("Command1")))
        connect(convert, &QPushButton::clicked, this, &ConverterForm::Command1_Click);
    if (auto *clear = m_built.as<QPushButton>(QStringLiteral("Command2")))
        connect(clear, &QPushButton::clicked, this, &ConverterForm::Command2_Click);
    connectCategoryButtons(design, m_built);
    describeControls();
}

// What each control is for, in words a screen reader can say.
void ConverterForm::describeControls()
{
    setAccessibleName(windowTitle() + QStringLiteral(" converter"));
    m_input->setAccessibleName(QStringLiteral("Input value"));
    m_input->setAccessibleDescription(QStringLiteral("The number to convert"));
    m_from->setAccessibleName(QStringLiteral("Convert from unit"));
    m_from->setAccessibleDescription(QStringLiteral("The unit the input value is in; pick one or type it"));
    m_to->setAccessibleName(QStringLiteral("Convert to unit"));
    m_to->setAccessibleDescription(QStringLiteral("The unit to convert to; pick one or type it"));
    // On Linux an editable list is named by its text; its edit field keeps
    // the role's name so screen readers can say what the field is for.
    m_from->lineEdit()->setAccessibleName(m_from->accessibleName());
    m_to->lineEdit()->setAccessibleName(m_to->accessibleName());
    m_output->setAccessibleName(QStringLiteral("Result"));
    m_output->setAccessibleDescription(QStringLiteral("The converted value"));
    if (QWidget *convert = m_built.control(QStringLiteral("Command1")))
        convert->setAccessibleDescription(QStringLiteral("Convert the input value to the chosen unit"));
    if (QWidget *clear = m_built.control(QStringLiteral("Command2")))
        clear->setAccessibleDescription(QStringLiteral("Clear the form and the conversion memory"));
}

void ConverterForm::Form_Load() { conversionMemory().clear(); }

void ConverterForm::Command1_Click()
{
    const ConvertOutcome outcome = convert(m_input->text().toStdString(), m_from->currentText().toStdString(),
                                           m_to->currentText().toStdString(), m_category, conversionMemory());
    switch (outcome.kind) {
    case ConvertOutcome::Kind::IncompleteData:
        MsgBox(QString::fromStdString(outcome.text), vbCritical, qstr(kIncompleteTitle));
        break;
    case ConvertOutcome::Kind::SameUnit: MsgBox(qstr(kSameUnitPrompt), vbExclamation, qstr(kSameUnitTitle)); break;
    case ConvertOutcome::Kind::Result:
        m_output->setText(QString::fromStdString(outcome.text));
        m_output->setCursorPosition(0);
        break;
    case ConvertOutcome::Kind::Overflow: showOverflowError(); break;
    }
}

void ConverterForm::Command2_Click()
{
    conversionMemory().clear();
    m_input->setText(QString());
    m_output->setText(qstr(kOutputPlaceholder));
    m_from->setEditText(qstr(kFromPlaceholder));
    m_to->setEditText(qstr(kToPlaceholder));
}

} // namespace tolvaren

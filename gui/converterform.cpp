// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/converterform.h"

#include "categories/category.h"
#include "core/convert.h"
#include "core/refusal.h"
#include "gui/announce.h"
#include "gui/messagebox.h"
#include "gui/qtext.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace tolvaren {

using design::Role;

ConverterForm::ConverterForm(const design::Form &design, const Category &category, ConversionMemory &memory,
                             QWidget *parent)
    : FormWidget(design, parent), m_category(category), m_memory(memory)
{
    m_input = m_built.withRole<QLineEdit>(Role::Input);
    m_from = m_built.withRole<QComboBox>(Role::From);
    m_to = m_built.withRole<QComboBox>(Role::To);
    m_output = m_built.withRole<QLineEdit>(Role::Output);
    // Convert and New overwrite the output; the user can still select and
    // copy it.
    m_output->setReadOnly(true);
    setAccessibleName(windowTitle() + QStringLiteral(" converter"));

    connect(m_built.withRole<QPushButton>(Role::Convert), &QPushButton::clicked, this, &ConverterForm::convert);
    connect(m_built.withRole<QPushButton>(Role::Clear), &QPushButton::clicked, this, &ConverterForm::clear);
    m_memory.clear();
}

void ConverterForm::convert()
{
    const ConvertOutcome outcome =
        tolvaren::convert(m_input->text().toStdString(), m_from->currentText().toStdString(),
                          m_to->currentText().toStdString(), m_category.units, m_category.rules, m_memory);
    switch (outcome.kind) {
    case ConvertOutcome::Kind::IncompleteData:
        showMessage(MessageIcon::Critical, qstr(kErrorTitle), qstr(m_category.incompleteMessage));
        break;
    case ConvertOutcome::Kind::SameUnit:
        showMessage(MessageIcon::Warning, qstr(kSameUnitTitle), qstr(kSameUnitPrompt));
        break;
    case ConvertOutcome::Kind::NotANumber:
        refuseInput(m_input, qstr(kErrorTitle), qstr(notANumberMessage(m_input->text().toStdString())));
        break;
    case ConvertOutcome::Kind::UnknownUnit: {
        QComboBox *list = outcome.refused == ConvertOutcome::Field::From ? m_from : m_to;
        refuseInput(list, qstr(kErrorTitle),
                    qstr(unknownUnitMessage(list->currentText().toStdString(), m_category.units)));
        break;
    }
    case ConvertOutcome::Kind::Result:
        m_output->setText(QString::fromStdString(outcome.result));
        m_output->setCursorPosition(0);
        announce(this, QStringLiteral("%1 %2 %3")
                           .arg(m_output->accessibleName(), m_output->text().trimmed(), m_to->currentText()));
        break;
    // Output and memory stay as the run left them.
    case ConvertOutcome::Kind::Overflow: refuseInput(m_input, qstr(kErrorTitle), qstr(kTooLargePrompt)); break;
    }
}

// Enter in the input box or a unit list converts: they pass it on to the
// form, each once (an editable list hands it to its edit field first).
void ConverterForm::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = QApplication::focusWidget();
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(event->modifiers() & ~Qt::KeypadModifier);
    const auto in = [focus](QWidget *w) { return focus && (w == focus || w->isAncestorOf(focus)); };
    if (enter && (in(m_input) || in(m_from) || in(m_to)))
        convert();
    else
        FormWidget::keyPressEvent(event);
}

void ConverterForm::prepareOpening()
{
    FormWidget::prepareOpening();
    m_memory.clear();
    // Only a box that differs from a new one is set again: each change is
    // told to screen readers, who would hear of it before the form.
    const auto renew = [](QLineEdit *box, const QString &text, int cursor) {
        if (box->text() != text || box->isUndoAvailable() || box->isRedoAvailable() || box->hasSelectedText())
            box->setText(text);
        if (box->cursorPosition() != cursor)
            box->setCursorPosition(cursor);
    };
    renew(m_input, QString(), 0);
    // A new box shows the start of its text.
    renew(m_output, qstr(kOutputPlaceholder), 0);
    // A list showing its placeholder has no current unit.
    for (auto [list, placeholder] : {std::pair{m_from, kFromPlaceholder}, std::pair{m_to, kToPlaceholder}}) {
        if (list->currentIndex() != -1) {
            list->setCurrentIndex(-1);
            list->setEditText(qstr(placeholder));
        }
        renew(list->lineEdit(), qstr(placeholder), int(qstr(placeholder).size()));
    }
}

void ConverterForm::clear()
{
    m_memory.clear();
    m_input->setText(QString());
    m_output->setText(qstr(kOutputPlaceholder));
    // A list showing its placeholder has no current unit: Down picks the
    // first one again.
    for (auto [list, placeholder] : {std::pair{m_from, kFromPlaceholder}, std::pair{m_to, kToPlaceholder}}) {
        list->setCurrentIndex(-1);
        list->setEditText(qstr(placeholder));
    }
    announce(this, QStringLiteral("Cleared"));
}

} // namespace tolvaren

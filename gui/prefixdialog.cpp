// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/prefixdialog.h"

#include "core/convert.h"
#include "core/prefix.h"
#include "core/refusal.h"
#include "forms/designs.h"
#include "gui/announce.h"
#include "gui/messagebox.h"
#include "gui/qtext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tolvaren {

using design::Role;

PrefixDialog::PrefixDialog(QWidget *parent) : DialogForm(design::prefixForm(), parent)
{
    m_list = m_built.withRole<QListWidget>(Role::Prefix);
    m_input = m_built.withRole<QLineEdit>(Role::Input);
    m_output = m_built.withRole<QLineEdit>(Role::Output);
    m_caption = m_built.withRole<QLabel>(Role::PrefixCaption);
    // The answer is there to be read and copied; as on the converter forms,
    // nothing types into it. It keeps its place in the tab order.
    m_output->setReadOnly(true);
    // The caption tells how the answer was made: it belongs to the answer,
    // and is no text of the dialog's own that a reader says with it.
    m_caption->setBuddy(m_output);
    connect(m_built.withRole<QPushButton>(Role::Go), &QPushButton::clicked, this, &PrefixDialog::go);
    connect(m_built.withRole<QPushButton>(Role::Close), &QPushButton::clicked, this, &QDialog::reject);
}

// Enter in the input box or the prefix list presses Go: both pass it on to
// the dialog.
void PrefixDialog::keyPressEvent(QKeyEvent *event)
{
    QWidget *focus = QApplication::focusWidget();
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       !(event->modifiers() & ~Qt::KeypadModifier);
    if (enter && focus && (focus == m_input || focus == m_list))
        go();
    else
        DialogForm::keyPressEvent(event);
}

void PrefixDialog::go()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    const QString prefix = selected.isEmpty() ? QString() : selected.front()->text();
    const GoOutcome outcome = tolvaren::go(m_input->text().toStdString(), prefix.toStdString());
    switch (outcome.kind) {
    case GoOutcome::Kind::Missing:
        showMessage(MessageIcon::Critical, qstr(kPrefixMissingTitle), qstr(kPrefixMissingPrompt));
        break;
    case GoOutcome::Kind::NotANumber:
        refuseInput(m_input, qstr(kErrorTitle), qstr(notANumberMessage(m_input->text().toStdString())));
        break;
    case GoOutcome::Kind::Result: {
        QString news = m_output->accessibleName() + QLatin1Char(' ') + QString::fromStdString(outcome.output).trimmed();
        // The caption is said when it changes, and only then.
        if (const QString caption = QString::fromStdString(outcome.caption);
            !caption.isEmpty() && caption != m_caption->text()) {
            m_caption->setText(caption);
            news += QStringLiteral(", ") + caption;
        }
        m_output->setText(QString::fromStdString(outcome.output));
        m_output->setCursorPosition(0);
        announce(this, news);
        break;
    }
    case GoOutcome::Kind::Overflow: refuseInput(m_input, qstr(kErrorTitle), qstr(kTooLargePrompt)); break;
    }
}

} // namespace tolvaren

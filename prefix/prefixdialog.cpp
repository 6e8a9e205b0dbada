#include "prefix/prefixdialog.h"

#include "forms/designs.h"
#include "prefix/prefixtable.h"
#include "runtime/msgbox.h"
#include "runtime/qtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tolvaren {

PrefixDialog::PrefixDialog(QWidget *parent) : DialogForm(design::prefixForm(), parent)
{
    m_list = m_built.as<QListWidget>(QStringLiteral("Prefixlst"));
    m_input = m_built.as<QLineEdit>(QStringLiteral("prefintxt"));
    m_output = m_built.as<QLineEdit>(QStringLiteral("prefouttxt"));
    m_caption = m_built.as<QLabel>(QStringLiteral("prefpreflbl"));
    Q_ASSERT(m_list && m_input && m_output && m_caption);
    // The answer is there to be read and copied; as on the converter forms,
    // nothing types into it. It keeps its place in the tab order.
    m_output->setReadOnly(true);
    m_list->setAccessibleName(QStringLiteral("Prefix"));
    m_list->setAccessibleDescription(QStringLiteral("The metric prefix to scale the input value by"));
    m_input->setAccessibleName(QStringLiteral("Input value"));
    m_input->setAccessibleDescription(QStringLiteral("The number to scale"));
    m_output->setAccessibleName(QStringLiteral("Result"));
    m_output->setAccessibleDescription(QStringLiteral("The scaled value"));
    // No accessible name for the caption label: screen readers then read its
    // text, the power of ten the last Go applied.
    m_caption->setAccessibleDescription(QStringLiteral("The power of ten the last Go applied"));
    if (auto *goButton = m_built.as<QPushButton>(QStringLiteral("Command1"))) {
        goButton->setAccessibleDescription(QStringLiteral("Scale the input value by the selected prefix"));
        connect(goButton, &QPushButton::clicked, this, &PrefixDialog::Command1_Click);
    }
    if (auto *closeButton = m_built.as<QPushButton>(QStringLiteral("Command2"))) {
        closeButton->setAccessibleDescription(QStringLiteral("Close the prefix converter"));
        connect(closeButton, &QPushButton::clicked, this, &PrefixDialog::Command2_Click);
    }
}

void PrefixDialog::Command1_Click()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    const QString prefix = selected.isEmpty() ? QString() : selected.front()->text();
    const GoOutcome outcome = go(m_input->text().toStdString(), prefix.toStdString());
    switch (outcome.kind) {
    case GoOutcome::Kind::Missing: MsgBox(qstr(kPrefixMissingPrompt), vbCritical, qstr(kPrefixMissingTitle)); break;
    case GoOutcome::Kind::Result:
        if (!outcome.caption.empty())
            m_caption->setText(QString::fromStdString(outcome.caption));
        m_output->setText(QString::fromStdString(outcome.output));
        m_output->setCursorPosition(0);
        break;
    case GoOutcome::Kind::Overflow: showOverflowError(); break;
    }
}

void PrefixDialog::Command2_Click() { close(); }

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/dialogform.h"

#include "forms/qtext.h"

#include <QPushButton>

namespace tolvaren {

namespace {
Qt::WindowFlags flagsFor(design::Border border)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (border == design::Border::FixedWindow)
        flags |= Qt::WindowSystemMenuHint;
    return flags;
}
} // namespace

DialogForm::DialogForm(const design::Form &design, QWidget *parent)
    : QDialog(parent, flagsFor(design.border)), m_built(buildForm(design, this))
{
    setObjectName(qstr(design.name));
    setFixedSize(size());
    setSizeGripEnabled(false);
    // While it is open nothing else in the program takes input.
    setWindowModality(Qt::ApplicationModal);
    // Enter on a focused button presses it, as Space does.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

void DialogForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_built.giveInitialFocus();
}

bool DialogForm::focusNextPrevChild(bool next) { return m_built.moveFocus(next) || QDialog::focusNextPrevChild(next); }

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/formwidget.h"

#include "forms/qtext.h"

#include <QPainter>
#include <QPushButton>

namespace tolvaren {

FormWidget::FormWidget(const design::Form &design, QWidget *parent)
    : QWidget(parent), m_built(buildForm(design, this)), m_background(backgroundPicture(design))
{
    setObjectName(qstr(design.name));
    for (const BuiltForm::CategoryButton &b : m_built.categoryButtons()) {
        const Category *category = b.category;
        connect(b.button, &QAbstractButton::clicked, this, [this, category] { emit categoryRequested(*category); });
    }
    // Enter on a focused button presses it, as Space does.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(true);
}

void FormWidget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_background.isNull()) {
        QPainter painter(this);
        painter.drawImage(0, 0, m_background);
    }
}

void FormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_built.giveInitialFocus();
}

// Tab stays within the form's own controls: the window around it takes no
// turn.
bool FormWidget::focusNextPrevChild(bool next) { return m_built.moveFocus(next) || QWidget::focusNextPrevChild(next); }

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/formwidget.h"

#include "gui/qtext.h"

#include <QPainter>
#include <QPushButton>

#include <utility>

namespace tolvaren {

FormWidget::FormWidget(const design::Form &design, QWidget *parent)
    : QWidget(parent), m_built(buildForm(design, this)), m_background(backgroundPicture(design, devicePixelRatioF()))
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

void FormWidget::prepareOpening() { m_opening = true; }

// Other showings, as when the main window comes back from being minimised,
// keep whatever the user last focused.
void FormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (std::exchange(m_opening, false))
        if (QWidget *first = m_built.firstInTabOrder())
            first->setFocus(Qt::OtherFocusReason);
}

// Tab stays within the form's own controls: the window around it takes no
// turn.
bool FormWidget::focusNextPrevChild(bool next) { return m_built.moveFocus(next) || QWidget::focusNextPrevChild(next); }

} // namespace tolvaren

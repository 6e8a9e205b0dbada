// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/formwidget.h"

#include "gui/qtext.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>

#include <utility>

namespace tolvaren {

FormWidget::FormWidget(const design::Form &design, QWidget *parent)
    : QWidget(parent), m_built(buildForm(design, this)), m_design(design), m_pictureRatio(devicePixelRatioF()),
      m_background(backgroundPicture(design, m_pictureRatio))
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

void FormWidget::drawPictures()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_pictureRatio)
        return;
    m_pictureRatio = ratio;
    m_background = backgroundPicture(m_design, ratio);
    m_built.drawPictures(ratio);
    update();
}

// A window moved onto a screen of another scale (from a laptop's screen to
// an external one) has its pictures drawn again for that scale.
bool FormWidget::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange)
        drawPictures();
#endif
    if (event->type() == QEvent::ScreenChangeInternal)
        drawPictures();
    return handled;
}

void FormWidget::prepareOpening() { m_opening = true; }

// Other showings, as when the main window comes back from being minimised,
// keep whatever the user last focused.
void FormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    drawPictures();
    if (std::exchange(m_opening, false))
        if (QWidget *first = m_built.firstInTabOrder())
            first->setFocus(Qt::OtherFocusReason);
}

// Tab stays within the form's own controls: the window around it takes no
// turn.
bool FormWidget::focusNextPrevChild(bool next) { return m_built.moveFocus(next) || QWidget::focusNextPrevChild(next); }

} // namespace tolvaren

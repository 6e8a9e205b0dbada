#include "forms/formwidget.h"

#include <QPainter>

namespace tolvaren {

FormWidget::FormWidget(const design::Form &design, QWidget *parent)
    : QWidget(parent), m_built(buildForm(design, this)), m_background(backgroundPicture(design))
{
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

} // namespace tolvaren

#include "forms/formwidget.h"

namespace tolvaren {

FormWidget::FormWidget(const design::Form &design, QWidget *parent)
    : QWidget(parent), m_design(design), m_built(buildForm(design, this))
{
}

void FormWidget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    paintFormBackground(m_design, this);
}

void FormWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_focusGiven) {
        m_focusGiven = true;
        if (QWidget *first = m_built.firstInTabOrder())
            first->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace tolvaren

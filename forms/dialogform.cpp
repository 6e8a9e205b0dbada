#include "forms/dialogform.h"

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
    setFixedSize(size());
    setSizeGripEnabled(false);
}

void DialogForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_built.giveInitialFocus();
}

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/messagebox.h"

#include "gui/application.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpacerItem>

namespace tolvaren {

namespace {

MessageHook &hook()
{
    static MessageHook h;
    return h;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// A box as wide as its title at least, so that a window manager shows the
// whole title: room for the title text, the window's icon and its close
// button.
void fitTitle(QMessageBox &box, const QString &title)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int width = metrics.horizontalAdvance(title) + 4 * metrics.height() + 32;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

void showMessage(MessageIcon icon, const QString &title, const QString &text)
{
    if (hook()) {
        hook()({icon, title, text});
        return;
    }
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setObjectName(QStringLiteral("MsgBox"));
    // Named by its title; screen readers read its text from the label, so
    // the text is not also its description.
    box.setAccessibleName(title);
    fitTitle(box, title);
    QWidget *owner = QApplication::activeWindow();
    box.exec();
    // The window behind takes the keyboard back, also where no window
    // manager hands it back.
    if (owner)
        owner->activateWindow();
}

void refuseInput(QWidget *atFault, const QString &title, const QString &text)
{
    showMessage(MessageIcon::Critical, title, text);
    // The window behind the box takes the keyboard back at once, also where
    // no window manager hands it back.
    atFault->activateWindow();
    atFault->setFocus(Qt::OtherFocusReason);
    // Also when it had the focus already, as after Enter in the box itself.
    if (auto *combo = qobject_cast<QComboBox *>(atFault))
        atFault = combo->lineEdit();
    if (auto *edit = qobject_cast<QLineEdit *>(atFault))
        edit->selectAll();
}

void showOverflowError()
{
    showMessage(MessageIcon::Critical, QString::fromUtf8(kProgramCaption), QStringLiteral("Overflow"));
}

void setMessageHook(MessageHook h) { hook() = std::move(h); }

} // namespace tolvaren

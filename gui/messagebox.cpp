// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/messagebox.h"

#include "gui/workarounds/frametitle.h"
#include "gui/workarounds/workarounds.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QSpacerItem>

#include <optional>

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

// The width a window needs for its whole title beside the buttons of its
// frame.
int titleWidth(const QString &title)
{
    if (const std::optional<int> inQtFrame = workarounds::titleWidthInQtFrame(title))
        return *inQtFrame;
    // A window manager's title bar: room for the title text, the window's
    // icon and its buttons.
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    return metrics.horizontalAdvance(title) + 4 * metrics.height() + 32;
}

// A box as wide as its title at least, so that the whole title shows.
void fitTitle(QMessageBox &box, const QString &title)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(titleWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(),
                  0, 1, grid->columnCount());
}

// The window a box belongs to: the active one; where the compositor activates
// none (a Wayland one without a keyboard), the modal window open, else the
// main window. A box without one would be placed anywhere.
QWidget *ownerWindow()
{
    if (QWidget *active = QApplication::activeWindow())
        return active;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(top) && top->isVisible())
            return top;
    return nullptr;
}

} // namespace

void showMessage(MessageIcon icon, const QString &title, const QString &text)
{
    if (hook()) {
        hook()({icon, title, text});
        return;
    }
    auto *box = new QMessageBox(toQt(icon), title, text, QMessageBox::Ok, ownerWindow());
    box->setWindowModality(Qt::ApplicationModal);
    box->setObjectName(QStringLiteral("MsgBox"));
    // Named by its title; screen readers read its text from the label, so
    // the text is not also its description.
    box->setAccessibleName(title);
    // Only OK takes the focus: the text stays selectable by the mouse, and
    // a reader reads it with the box.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        label->setFocusPolicy(Qt::NoFocus);
        // Readers read a box as it opens by its texts of three words or
        // more (Orca 48 on): a shorter message would be passed over and the
        // box heard as its title and OK alone. After its title it is said.
        if (text.simplified().split(u' ', Qt::SkipEmptyParts).size() < 3)
            label->setAccessibleName(title + QStringLiteral(": ") + text);
    }
    fitTitle(*box, title);
    showModal(box, QApplication::activeWindow());
}

void showModal(QDialog *window, QWidget *behind)
{
    window->exec();
    keepClosedWindow(window);
    // The window behind takes the keyboard back, also where no window
    // manager hands it back.
    if (behind)
        takeKeyboardBack(behind);
}

void refuseInput(QWidget *atFault, const QString &title, const QString &text)
{
    showMessage(MessageIcon::Critical, title, text);
    // The window behind the box takes the keyboard back at once, also where
    // no window manager hands it back.
    takeKeyboardBack(atFault);
    atFault->setFocus(Qt::OtherFocusReason);
    // Also when it had the focus already, as after Enter in the box itself.
    // A reader reads the selection with the focus coming back; told again
    // on its own, it comes after the focus and may only reach the reader
    // once the user is typing over it, who then hears it lost.
    if (auto *combo = qobject_cast<QComboBox *>(atFault))
        atFault = combo->lineEdit();
    if (auto *edit = qobject_cast<QLineEdit *>(atFault))
        selectAllQuietly(edit);
}

void setMessageHook(MessageHook h) { hook() = std::move(h); }

} // namespace tolvaren

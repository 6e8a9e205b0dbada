// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Dialogs and message boxes as readers get them. Qt 6.4.2:
// - reports no modal state for a modal window, so a reader cannot tell
//   that nothing behind the box takes input;
// - lists a message box's icon as an unnamed picture, and any drawing a
//   window holds (a separator line) as an unnamed filler, which a reader
//   reading the screen stops at;
// - says a message box's button box has the focus beside OK, because the
//   button box hands the focus on to OK: two objects claim it.
// To see them: open a message box and ask AT-SPI for its states and
// children. No Qt bug report known. Here windows say they are modal while
// they are, leave their decorations out, and a button box claims the focus
// only when it has it itself.

#include "gui/workarounds/parts.h"
#include "gui/workarounds/workarounds.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>

namespace tolvaren {

namespace {

const char *const kLeftOut = "leftOutForReaders";

bool isLeftOut(const QWidget *w)
{
    return w->property(kLeftOut).toBool() || w->objectName() == QLatin1String("qt_msgboxex_icon_label");
}

class DialogAccessible : public QAccessibleWidget {
  public:
    DialogAccessible(QDialog *dialog, QAccessible::Role role) : QAccessibleWidget(dialog, role) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.modal = widget()->isModal();
        return s;
    }
    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QWidgetList children = shown();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() ? int(shown().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

  private:
    // The children Qt lists, less the decorations.
    QWidgetList shown() const
    {
        QWidgetList found;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !qobject_cast<QMenu *>(w) && !isLeftOut(w))
                found << w;
        return found;
    }
};

class ButtonBoxAccessible : public QAccessibleWidget {
  public:
    explicit ButtonBoxAccessible(QDialogButtonBox *box) : QAccessibleWidget(box, QAccessible::Pane) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = QApplication::focusWidget() == widget();
        return s;
    }
};

QAccessibleInterface *dialogAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("QMessageBox"))
        if (auto *box = qobject_cast<QMessageBox *>(object))
            return new DialogAccessible(box, QAccessible::AlertMessage);
    if (className == QLatin1String("QDialog"))
        if (auto *dialog = qobject_cast<QDialog *>(object))
            return new DialogAccessible(dialog, QAccessible::Dialog);
    if (className == QLatin1String("QDialogButtonBox"))
        if (auto *box = qobject_cast<QDialogButtonBox *>(object))
            return new ButtonBoxAccessible(box);
    return nullptr;
}

} // namespace

void leaveOutForReaders(QWidget *decoration) { decoration->setProperty(kLeftOut, true); }

void workarounds::installDialogs() { QAccessible::installFactory(dialogAccessible); }

} // namespace tolvaren

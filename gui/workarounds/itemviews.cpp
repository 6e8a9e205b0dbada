// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Item views. Qt 6.4.2 reports an item view's current item as focused
// whether or not the view has the keyboard focus: the prefix list's choice
// claims the focus while the input box has it, and after a unit list's
// drop-down closes, the item picked keeps claiming it beside the list, so
// a reader follows neither and Up and Down go unheard until Tab. To see it:
// pick a unit from the drop-down under Orca and press Down, or ask AT-SPI
// for the focused objects. No Qt bug report known. Here a view has a
// current item only while it has the focus, and the list whose drop-down
// closed is said to have the focus again.
//
// As a drop-down closes on a pick, Qt (6.4.2 and 6.8.2) tells that its list has the
// focus again before it puts the pick into the list's edit field, then
// tells of the field's text and caret, the field saying it has the focus
// too: a reader goes to the field, says the pick as typed text, and says
// it again with the list when the list's focus is told again here ("Inch",
// then "Convert to unit editable combo box. Inch."). To see it: Alt+Down,
// Down, Return in a unit list under Orca, or listen through AT-SPI for the
// list's focus and the field's text-changed events. No Qt bug report
// known. Here the field's changes do not reach the reader until the list's
// focus is told again, with the pick already in it.

#include "gui/workarounds/parts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace tolvaren {

namespace {

QPointer<QComboBox> closing; // whose drop-down closed, until its focus is told again

void forgetCurrent(QAbstractItemView *view)
{
    if (view && view->selectionModel())
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

class CurrentFollowsFocus : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->inherits("QComboBoxPrivateContainer")) {
            // Once the pick is made: Qt reads the pick from the current item
            // after the drop-down has gone.
            closing = qobject_cast<QComboBox *>(watched->parent());
            QTimer::singleShot(0, watched, [watched] {
                closing = nullptr;
                forgetCurrent(watched->findChild<QAbstractItemView *>());
                if (QWidget *focus = QApplication::focusWidget(); focus && !QApplication::activePopupWidget()) {
                    QAccessibleEvent focused(focus, QAccessible::Focus);
                    QAccessible::updateAccessibility(&focused);
                }
            });
            return false;
        }
        auto *view = qobject_cast<QAbstractItemView *>(watched);
        if (!view || !view->selectionModel() || view->parentWidget()->inherits("QComboBoxPrivateContainer"))
            return false;
        if (event->type() == QEvent::FocusOut) {
            forgetCurrent(view);
        } else if (event->type() == QEvent::FocusIn) {
            // Once the focus has settled: the choice is then the last thing
            // the reader hears of, after the list.
            QTimer::singleShot(0, view, [view] {
                const QModelIndexList chosen = view->selectionModel()->selectedIndexes();
                if (view->hasFocus() && !chosen.isEmpty())
                    view->selectionModel()->setCurrentIndex(chosen.front(), QItemSelectionModel::NoUpdate);
            });
        }
        return false;
    }
};

} // namespace

bool workarounds::isPickBeforeFocus(QAccessibleEvent *event)
{
    return closing && isTextNewsOf(event, closing->lineEdit());
}

void workarounds::installItemViews() { qApp->installEventFilter(new CurrentFollowsFocus(qApp)); }

} // namespace tolvaren

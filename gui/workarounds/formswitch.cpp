// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Replacing the form in the workspace. Qt 6.4.2 moves the focus step by
// step while one window's widget is hidden and another shown: to the old
// form's next control as its control goes, to the new frame, to the new
// form's picture, its first control, a unit list, the first control again,
// and tells readers of every step; a reader says some of them and is slow
// to say the new form. It also tells of every control of both forms that
// it went out of sight or came into it, one event each, though only the
// frames around the forms were hidden and shown; a reader asks each
// control about itself before it gets to the focus, and a switch was heard
// many times later than a Tab. To see it: count the focus and showing
// events of one form switch through AT-SPI (tests/bench/switch_bench.py
// prints them). No Qt bug report known. Here the focus events of a switch
// are held back until it is done, and the control that has the focus then
// is told once; of what came into sight or went out of it, only the frames
// are told.

#include "gui/workarounds/parts.h"
#include "gui/workarounds/workarounds.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTimer>
#include <QWidget>

namespace tolvaren {

namespace {

int switching = 0; // FocusSettling objects alive or still waiting

} // namespace

FocusSettling::FocusSettling() { ++switching; }

// Once the events the switch left waiting have run too.
FocusSettling::~FocusSettling()
{
    QTimer::singleShot(0, qApp, [] {
        if (--switching > 0)
            return;
        if (QWidget *focus = QApplication::focusWidget(); focus && !QApplication::activePopupWidget()) {
            // An editable list is told by its field: a reader (Orca 48)
            // names the new form before a text field it lands on, but
            // before a drop-down list never, and says the list around the
            // field anyway.
            if (auto *list = qobject_cast<QComboBox *>(focus); list && list->lineEdit())
                focus = list->lineEdit();
            QAccessibleEvent focused(focus, QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        }
    });
}

bool workarounds::isHeldFocus(QAccessibleEvent *event)
{
    if (switching == 0)
        return false;
    switch (event->type()) {
    case QAccessible::Focus: return true;
    case QAccessible::ObjectShow:
    case QAccessible::ObjectHide: return !qobject_cast<QMdiSubWindow *>(event->object());
    default: return false;
    }
}

} // namespace tolvaren

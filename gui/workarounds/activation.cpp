// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Windows made active. Qt (6.4.2 and 6.8.2) tells a reader that the main window has
// become active each time a drop-down list opens and again when it closes:
// the list is a window of its own, and as the keyboard moves into it and
// back, Qt reports a change of activation on the main window, which its
// bridge to the desktop sends as "activated" because the window is still
// the active one. A reader that has followed the focus into the list takes
// it for a return to the window and says "Tolvaren v1.10 frame", then the
// whole way down to the list again, with the list "collapsed" although it
// is open. To see it: Alt+Down in a unit list under Orca, or listen for
// window:activate through AT-SPI. No Qt bug report found. Here the change
// is not told while the window stays the active one: a window that becomes
// active is not the active one yet when Qt tells of it.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

namespace tolvaren::workarounds {

bool isActivationUnchanged(QAccessibleEvent *event)
{
    return event->type() == QAccessible::StateChanged &&
           static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().active && event->object() &&
           event->object() == QApplication::activeWindow();
}

} // namespace tolvaren::workarounds

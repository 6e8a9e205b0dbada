// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Widgets hidden on their way out. Qt 6.8.2 tells a reader that a widget
// stopped showing as it is hidden, and so of every widget inside it; a form
// that is replaced, or a message box that is closed, is hidden and then
// deleted a moment later. The reader (Orca 48) asks after each of them once
// they are gone, and Qt's bridge answers nothing and writes "Could not find
// accessible on path" for each question. Qt 6.4.2 does not tell a hide at
// all. To see it: close a message box of the program under Orca 48, or a
// form switch, and read the program's output. No Qt bug report known. Here
// a hide is told once the events already waiting have run, and only of a
// widget still there and still hidden.

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace tolvaren::workarounds {

namespace {

std::vector<QPointer<QObject>> waiting; // hidden, not told yet
bool telling = false;

void tellHidden()
{
    std::vector<QPointer<QObject>> hidden;
    hidden.swap(waiting);
    telling = true;
    for (const QPointer<QObject> &object : hidden) {
        auto *widget = qobject_cast<QWidget *>(object.data());
        if (widget && !widget->isVisible()) {
            QAccessibleEvent event(widget, QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&event);
        }
    }
    telling = false;
}

// Twice through the queue of events: a deleteLater() that follows the hide
// is then done first.
void tellLater(int rounds)
{
    QMetaObject::invokeMethod(
        qApp, [rounds] { rounds > 1 ? tellLater(rounds - 1) : tellHidden(); }, Qt::QueuedConnection);
}

} // namespace

bool isHideOfWhatGoes(QAccessibleEvent *event)
{
    if (telling || event->type() != QAccessible::ObjectHide || !qobject_cast<QWidget *>(event->object()))
        return false;
    if (waiting.empty())
        tellLater(2);
    waiting.emplace_back(event->object());
    return true;
}

} // namespace tolvaren::workarounds

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/workarounds/workarounds.h"

#include "gui/workarounds/faults.h"
#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QVersionNumber>

#include <set>
#include <vector>

namespace tolvaren {

namespace {

QAccessible::UpdateHandler passOn = nullptr;
// What the workarounds installed on this Qt keep from the reader.
std::vector<bool (*)(QAccessibleEvent *)> dropped;

// Every accessibility event passes here on its way to the reader; what
// would only bury what matters stays here.
void filterUpdate(QAccessibleEvent *event)
{
    for (const auto drops : dropped)
        if (drops(event))
            return;
    if (passOn) {
        passOn(event);
        return;
    }
    // Qt has brought its tables up to date before calling here, and the
    // bridge to the desktop does not pass this event on; handing it back
    // would update the tables twice.
    if (event->type() == QAccessible::TableModelChanged)
        return;
    // Qt's own way to the reader is the one taken with no handler in place.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

void installQtWorkarounds()
{
    // Each workaround once, on a Qt measured to have (or not yet measured
    // without) a fault it answers.
    const QVersionNumber running = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    std::set<void (*)()> installed;
    for (const workarounds::QtFault &fault : workarounds::qtFaults()) {
        if (!workarounds::hasFault(fault, running))
            continue;
        if (fault.install && installed.insert(fault.install).second)
            fault.install();
        if (fault.drops)
            dropped.push_back(fault.drops);
    }
    if (const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(filterUpdate);
        before != filterUpdate)
        passOn = before;
}

} // namespace tolvaren

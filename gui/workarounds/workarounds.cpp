// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/workarounds/workarounds.h"

#include "gui/workarounds/parts.h"

#include <QAccessible>
#include <QVersionNumber>

namespace tolvaren {

namespace {

QAccessible::UpdateHandler passOn = nullptr;

// Every accessibility event passes here on its way to the reader; what
// would only bury what matters stays here.
void filterUpdate(QAccessibleEvent *event)
{
    if (workarounds::isStaleSelection(event) || workarounds::isMenuFocusBounce(event) ||
        workarounds::isActivationUnchanged(event) || workarounds::isHeldFocus(event))
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
    workarounds::installTextBoxes();
    workarounds::installLists();
    workarounds::installItemViews();
    workarounds::installWorkspace();
    workarounds::installMenus();
    workarounds::installButtons();
    workarounds::installDialogs();
    workarounds::installFixedSizeOnWayland();
    workarounds::installRangeExtents();
    workarounds::installScaledExtents();
    if (QVersionNumber::fromString(QString::fromLatin1(qVersion())) < QVersionNumber(6, 8, 2))
        workarounds::installScaledPoints();
    if (const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(filterUpdate);
        before != filterUpdate)
        passOn = before;
}

} // namespace tolvaren

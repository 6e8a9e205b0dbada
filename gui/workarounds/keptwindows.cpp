// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Closed modal windows kept for a while. As a box or dialog closes, Qt's
// bridge tells the reader of its deactivation and of the focus leaving it,
// and the reader (Orca 48) still has a queue of what the window and its
// controls did; it takes a while to get through it, asking after each of
// them. A window deleted as it closes answers none of that: Qt writes
// "Could not find accessible" for every question, hundreds of times, and
// the reader holds the gone window as its active one. To see it: delete a
// QMessageBox as its exec() returns, with Orca 48 reading, and look in the
// program's output (with qt.accessibility.atspi.debug on, on Qt 6.4).
// No Qt bug report known. Here a closed window is deleted when the next
// one closes, or as the program quits: by then the reader has long moved
// on.

#include "gui/workarounds/faults.h"
#include "gui/workarounds/workarounds.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace tolvaren {

void keepClosedWindow(QWidget *closed)
{
    static const bool askedAfter = workarounds::runningQtHas(workarounds::Fault::ClosedWindowAskedAfter);
    if (!askedAfter) {
        closed->deleteLater();
        return;
    }
    static QPointer<QWidget> kept;
    if (kept)
        kept->deleteLater();
    kept = closed;
    // Nothing is left behind at the end either.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, closed, [closed] { delete closed; });
}

} // namespace tolvaren

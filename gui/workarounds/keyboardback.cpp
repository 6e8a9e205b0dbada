// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The keyboard handed back after a box closes. Asked, as the box closes,
// to give the window behind it the keyboard under an X11 window manager,
// Qt (6.4.2 and 6.8.2) tells that window active at once, before the manager has
// handed the keyboard over; a tenth of a second later, the manager not
// having done so yet, Qt tells it inactive (Qt waits that long for the
// keyboard to arrive), and once the manager hands it over, active again.
// On a busy machine the manager takes longer than that, and a reader says
// the whole way back to the focused control twice: "Tolvaren v1.10 frame.
// Distance. Input value text. 1E308 selected. The number to convert."
// To see it: close a box of the program's own while openbox is held still
// with SIGSTOP for a second, and listen to window:activate on the
// accessibility bus, or to Orca. Not asked, Qt tells the window active
// once, when the manager hands it the keyboard. No Qt bug report found.
// The manager hands the keyboard back to the window behind a closed box by
// itself, so here the program asks for it only where no manager frames the
// window, as on a bare X server, and on Wayland, where a compositor may
// give it to no window.

#include "gui/workarounds/faults.h"
#include "gui/workarounds/workarounds.h"

#include <QGuiApplication>
#include <QWidget>

namespace tolvaren {

void takeKeyboardBack(QWidget *widget)
{
    QWidget *window = widget->window();
    const bool managerHandsItBack =
        QGuiApplication::platformName() == QLatin1String("xcb") && window->frameGeometry() != window->geometry();
    if (managerHandsItBack && workarounds::runningQtHas(workarounds::Fault::WindowActiveBeforeItIs))
        return;
    window->activateWindow();
}

} // namespace tolvaren

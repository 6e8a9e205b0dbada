// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Windows of fixed size on Wayland. Qt 6.4.2 draws the window frame itself
// there (its "bradient" decoration), and that frame offers maximise and
// minimise on every window, whatever its flags say. A maximise asked of a
// fixed-size window is the end of the program: the compositor sends the
// maximised size, Qt keeps the fixed one, and the next repaint is a
// protocol error ("xdg_surface geometry (306 x 233) does not match the
// configured maximized state"). To see it: a bare QDialog of fixed size
// (or a QMessageBox) under weston, its frame's maximise button, then
// anything that repaints it. Seen on Qt 6.4.2; gone on Qt 6.8.2, which
// gives the window the maximised size (under weston 14 and weston 10
// alike) and offers maximise still. No Qt bug report known.
//
// Here such a window keeps its designed size as its smallest once it is
// shown, but no largest, so that a maximise is honoured (the form sits in
// the top-left corner of the larger window) and restoring brings back the
// designed size. Qt's message boxes fix their size again after showing, on
// the layout request that follows, and every time their layout asks again:
// each time, once they have, the largest size is given back.

#include "gui/workarounds/parts.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tolvaren::workarounds {

namespace {

class FixedSizeOnWayland : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool sizing = event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest;
        auto *window = sizing ? qobject_cast<QWidget *>(watched) : nullptr;
        if (window && window->isWindow())
            // Once the window has done with the event: a dialog fixes its
            // size while it is shown, a message box on each layout request.
            QTimer::singleShot(0, window, [window] {
                if (window->minimumSize() == window->maximumSize())
                    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            });
        return false;
    }
};

} // namespace

void installFixedSizeOnWayland()
{
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        qApp->installEventFilter(new FixedSizeOnWayland(qApp));
}

} // namespace tolvaren::workarounds

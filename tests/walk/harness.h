#pragma once

// What the randomized walk and the memory check share: starting the program
// the way main() does, clicking and typing like a user, running a modal
// window from a timer while the menu handler that opened it blocks, and
// letting unloaded forms really go.

#include "runtime/fonts.h"
#include "runtime/forms.h"
#include "shell/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

namespace walk {

inline void settle()
{
    QApplication::processEvents();
    // Forms::unload hands the widgets to deleteLater; nothing else runs the
    // event loop here, so their deletion has to be asked for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline tolvaren::MainWindow *startProgram()
{
    static const bool fonts = (tolvaren::installFontSubstitutes(), true);
    Q_UNUSED(fonts);
    auto *main = new tolvaren::MainWindow;
    tolvaren::registerForms(main);
    main->MDIForm_Load();
    main->show();
    QApplication::setActiveWindow(main);
    if (!QTest::qWaitForWindowExposed(main))
        return nullptr;
    settle();
    return main;
}

inline void stopProgram(tolvaren::MainWindow *&main)
{
    tolvaren::Forms::instance().unloadAll();
    delete main;
    main = nullptr;
    settle();
}

inline QAction *menuAction(tolvaren::MainWindow *main, const char *name)
{
    return main->menuBar()->findChild<QAction *>(QLatin1String(name));
}

// Runs `open`, which blocks in a modal event loop, and calls `drive` from
// inside that loop once a modal window is up; `drive` closes it. A watchdog
// closes whatever modal window is still open after `timeoutMs`. Returns
// false when the modal window never came up or the watchdog had to act.
inline bool runModal(const std::function<void()> &open, const std::function<void(QWidget *)> &drive,
                     int timeoutMs = 15000)
{
    bool driven = false;
    bool rescued = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (driven || !modal || !modal->isVisible())
            return;
        driven = true;
        poll.stop();
        QPointer<QWidget> guard(modal);
        drive(modal);
        if (guard && guard->isVisible()) {
            rescued = true;
            guard->close();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        rescued = true;
        for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i)
            QApplication::activeModalWidget()->close();
    });
    poll.start();
    watchdog.start(timeoutMs);
    open();
    poll.stop();
    watchdog.stop();
    return driven && !rescued;
}

} // namespace walk

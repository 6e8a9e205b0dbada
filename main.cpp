// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/application.h"
#include "gui/commandline.h"
#include "gui/mainwindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    tolvaren::prepareApplication();
    const bool display = tolvaren::expectDisplay(argc, argv);
    QApplication app(argc, argv);
    if (const std::optional<int> status = tolvaren::answerCommandLine(QCoreApplication::arguments()))
        return *status;
    if (!display) {
        std::fputs("tolvaren: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
        return EXIT_FAILURE;
    }
    tolvaren::setUpApplication();

    tolvaren::MainWindow window;
    window.show();
    return app.exec();
}

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/application.h"
#include "gui/commandline.h"
#include "gui/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (const std::optional<int> status = tolvaren::answerCommandLine(argc, argv))
        return *status;
    tolvaren::prepareApplication();
    tolvaren::DisplayFailureGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.release();
    tolvaren::setUpApplication();

    tolvaren::MainWindow window;
    window.show();
    return app.exec();
}

#include "runtime/appinfo.h"
#include "runtime/fonts.h"
#include "shell/commandline.h"
#include "shell/mainwindow.h"
#include "shell/startupwarmer.h"

#include <QApplication>
#include <QScopeGuard>

int main(int argc, char **argv)
{
    if (const std::optional<int> status = tolvaren::answerCommandLine(argc, argv))
        return *status;
    tolvaren::StartupWarmer warmer;
    // The menus belong in the window: its designed outer size counts the
    // menu bar in, and a desktop-wide menu bar would take them out.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    tolvaren::DisplayFailureGuard displayGuard;
    QApplication app(argc, argv);
    displayGuard.release();
    // The thread uses Qt's font database: it ends before the application.
    const auto joinWarmer = qScopeGuard([&warmer] { warmer.finish(); });
    QApplication::setApplicationName(QStringLiteral("Tolvaren"));
    QApplication::setApplicationVersion(QStringLiteral("1.10"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tolvaren::kDesktopId));
    tolvaren::installFontSubstitutes();
    warmer.continueWith(tolvaren::MainWindow::firstFonts());

    tolvaren::MainWindow main;
    tolvaren::registerForms(&main);
    main.MDIForm_Load();
    main.show();
    return app.exec();
}

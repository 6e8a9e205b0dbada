#include "runtime/appinfo.h"
#include "runtime/fonts.h"
#include "shell/mainwindow.h"
#include "shell/startupwarmer.h"

#include <QApplication>

int main(int argc, char **argv)
{
    tolvaren::StartupWarmer warmer;
    // The menus belong in the window: its designed outer size counts the
    // menu bar in. A desktop-wide menu bar would take them out, and asking
    // the session bus whether the desktop has one costs about a millisecond
    // before the window can show.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvaren"));
    QApplication::setApplicationVersion(QStringLiteral("1.10"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tolvaren::kDesktopId));
    tolvaren::installFontSubstitutes();
    warmer.continueWith(tolvaren::MainWindow::firstFonts());

    tolvaren::MainWindow main;
    tolvaren::registerForms(&main);
    main.MDIForm_Load();
    main.show();
    const int code = app.exec();
    warmer.finish();
    return code;
}

#include "runtime/appinfo.h"
#include "runtime/fonts.h"
#include "shell/mainwindow.h"
#include "shell/startupwarmer.h"

#include <QApplication>

int main(int argc, char **argv)
{
    tolvaren::StartupWarmer warmer;
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

#include "runtime/appinfo.h"
#include "runtime/fonts.h"
#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvaren"));
    QApplication::setApplicationVersion(QStringLiteral("1.10"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tolvaren::kDesktopId));
    tolvaren::installFontSubstitutes();

    tolvaren::MainWindow main;
    tolvaren::registerForms(&main);
    main.MDIForm_Load();
    main.show();
    return app.exec();
}

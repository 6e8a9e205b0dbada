#include "gui/application.h"
#include "gui/mainwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    tolvaren::prepareApplication();
    QApplication app(argc, argv);
    tolvaren::setUpApplication();

    tolvaren::MainWindow window;
    window.show();
    return app.exec();
}

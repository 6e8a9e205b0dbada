// The least a windowed Qt program of this shape does before its window
// shows: a main window whose MDI area holds one maximised child window.
// The start-up benchmark measures the real program against it.
//
// With --text the child shows one line of text, so that the toolkit has to
// set up its fonts as any program with words on screen does: a second
// baseline that tells the cost of having text at all from the rest.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare_window"));
    auto *area = new QMdiArea(&window);
    window.setCentralWidget(area);
    QWidget *content = withText ? new QLabel(QStringLiteral("Welcome")) : new QWidget;
    QMdiSubWindow *child = area->addSubWindow(content);
    child->showMaximized();
    window.resize(332, 300);
    window.show();
    return app.exec();
}

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The smallest Qt program that shows the same kinds of things as Tolvaren's
// first window: a main window with a menu bar (File and Help), and in its
// workspace one maximised child window holding a text box, an editable
// drop-down list and a button. The start-up benchmark measures the real
// program against it.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare_window"));

    QMenu *file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Open"));
    file->addAction(QStringLiteral("Clear"));
    file->addSeparator();
    file->addAction(QStringLiteral("Exit"), &app, &QApplication::quit);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("Help"));
    help->addAction(QStringLiteral("About"));

    auto *area = new QMdiArea(&window);
    window.setCentralWidget(area);
    auto *content = new QWidget;
    auto *input = new QLineEdit(QStringLiteral("1"), content);
    input->setGeometry(16, 16, 140, 20);
    auto *unit = new QComboBox(content);
    unit->setEditable(true);
    unit->addItems({QStringLiteral("Meter"), QStringLiteral("Inch"), QStringLiteral("Mile")});
    unit->setGeometry(176, 16, 110, 22);
    auto *convert = new QPushButton(QStringLiteral("Convert"), content);
    convert->setGeometry(16, 60, 72, 25);
    area->addSubWindow(content)->showMaximized();

    // The benchmark's display has no window manager, so no frame: the
    // window's own size is its outer size, 332 x 300 like Tolvaren's.
    window.resize(332, 300);
    window.show();
    return app.exec();
}

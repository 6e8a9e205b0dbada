// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The main window: how it starts, its menus and the menu commands that need
// no dialog of their own.
#include "fixture.h"

#include "core/memory.h"
#include "forms/designs.h"
#include "forms/twips.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {
// The designed size, border, title bar and menu bar included.
const QSize kOuterSize(twipsToPixels(design::mainOuterSize().width), twipsToPixels(design::mainOuterSize().height));

bool fillsMainWindow(MainWindow *main, const QString &form)
{
    QWidget *shown = loadedForm(form);
    auto *frame = shown ? qobject_cast<QMdiSubWindow *>(shown->parentWidget()) : nullptr;
    return frame && frame->isMaximized() && frame->geometry() == main->mdiArea()->viewport()->rect();
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    Program p;

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    void startsWithWelcomeFormMaximised()
    {
        QCOMPARE(p.main->windowTitle(), QString::fromUtf8(design::kMainCaption));
        QTRY_COMPARE(p.main->frameGeometry().size(), kOuterSize);
        QCOMPARE(loadedNames(), QStringList{"Selection"});
        QCOMPARE(p.main->mdiArea()->subWindowList().size(), 1);
        QTRY_VERIFY(fillsMainWindow(p.main, "Selection"));
        QCOMPARE(memory().inputValue, 0.0);
        QCOMPARE(memory().resultValue, 0.0);
        QTRY_COMPARE(focusName(), QStringLiteral("Command1"));
        QVERIFY(p.boxes.isEmpty());
    }

    // The menus have no access keys or shortcuts: the design gives none.
    void menusWithoutAccessKeys()
    {
        for (QAction *top : p.main->menuBar()->actions()) {
            QMenu *menu = top->menu();
            QVERIFY(menu);
            QVERIFY2(!menu->title().contains('&'), qPrintable(menu->objectName()));
            for (QAction *item : menu->actions()) {
                QVERIFY2(!item->text().contains('&'), qPrintable(item->objectName()));
                QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->objectName()));
            }
        }
    }

    void refreshMemoryClearsOnlyTheMemory()
    {
        ConverterForm *form = openConverter("Distance");
        QVERIFY(form);
        convertOn(form, "1", "Meter", "Inch");
        QCOMPARE(form->outputBox()->text(), QStringLiteral(" 39.37"));
        QCOMPARE(memory().inputValue, 1.0);
        const QStringList before = allTexts(form);
        for (int time = 1; time <= 2; ++time) {
            menuAction(p.main, "refmem")->trigger();
            QCOMPARE(memory().inputValue, 0.0);
            QCOMPARE(memory().resultValue, 0.0);
            QCOMPARE(allTexts(form), before);
            QCOMPARE(loadedNames(), QStringList{"Distance"});
            QVERIFY(p.boxes.isEmpty());
        }
    }

    void originalSizeAfterResize_data()
    {
        QTest::addColumn<QSize>("size"); // invalid: maximised
        QTest::newRow("enlarged") << QSize(640, 480);
        QTest::newRow("shrunk") << QSize(180, 140);
        QTest::newRow("maximised") << QSize();
    }
    void originalSizeAfterResize()
    {
        QFETCH(QSize, size);
        QTRY_COMPARE(p.main->frameGeometry().size(), kOuterSize);
        if (size.isValid())
            p.main->resize(size);
        else
            p.main->showMaximized();
        QTRY_VERIFY(p.main->frameGeometry().size() != kOuterSize);
        menuAction(p.main, "origsize")->trigger();
        QTRY_COMPARE(p.main->frameGeometry().size(), kOuterSize);
        QTRY_VERIFY(fillsMainWindow(p.main, "Selection"));
        QCOMPARE(loadedNames(), QStringList{"Selection"});
    }

    // Each window carries its own icon, in both of its sizes, so that the
    // desktop need not scale the large one down for a title bar.
    void windowIconHasBothImages_data()
    {
        QTest::addColumn<bool>("about");
        QTest::newRow("main window") << false;
        QTest::newRow("About box") << true;
    }
    void windowIconHasBothImages()
    {
        QFETCH(bool, about);
        QIcon icon = p.main->windowIcon();
        if (about) {
            QVERIFY(driveModal([this] { menuAction(p.main, "about")->trigger(); },
                               [&icon](QWidget *box) {
                                   icon = box->windowIcon();
                                   box->close();
                               }));
            QVERIFY(icon.pixmap(16).toImage() != p.main->windowIcon().pixmap(16).toImage());
        }
        QList<QSize> sizes = icon.availableSizes();
        std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    }

    // Where the main window is larger than the welcome form's picture, the
    // form shows the colour the desktop gives menus.
    void welcomeFormShowsTheMenuColourBeyondItsPicture()
    {
        p.stop();
        const QColor menuColour(0x12, 0x34, 0x56);
        const QPalette original = QApplication::palette("QMenu");
        QPalette menus = original;
        menus.setColor(QPalette::Window, menuColour);
        QApplication::setPalette(menus, "QMenu");
        const bool started = p.start();
        QApplication::setPalette(original, "QMenu");
        QVERIFY(started);

        p.main->resize(900, 700);
        QWidget *form = loadedForm(QStringLiteral("Selection"));
        QVERIFY(form);
        QTRY_VERIFY(form->width() > 520 && form->height() > 300);
        const QPoint spot(form->width() - 10, form->height() - 10);
        QVERIFY(!form->childAt(spot));
        const QImage shown = form->grab().toImage();
        QCOMPARE(shown.pixelColor(spot * shown.devicePixelRatio()), menuColour);
    }

    void helpTopicsShowsWhereTheHelpIs()
    {
        menuAction(p.main, "hlptop")->trigger();
        QCOMPARE(boxTexts(p.boxes),
                 QStringList{
                     "Help Topics can be found in: tolvhelp.html in the same directory | information | Help Topics"});
        QCOMPARE(loadedNames(), QStringList{"Selection"});
    }

    // Last: it runs and ends the application's own event loop.
    void exitEndsWithoutAsking()
    {
        ConverterForm *form = openConverter("Distance");
        QVERIFY(form);
        convertOn(form, "5", "Meter", "Feet");
        QCOMPARE(form->outputBox()->text(), QStringLiteral(" 16.404"));

        QVERIFY(exitEndsTheLoop(p.main));
        QVERIFY(!p.main->isVisible());
        QVERIFY(p.boxes.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

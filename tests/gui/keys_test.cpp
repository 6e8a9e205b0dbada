// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The keys a classic desktop user relies on: typing replaces a focused
// text, Down in a list with nothing picked picks the first item, texts of
// any length, words for Ctrl+arrows, chords that type nothing and the menu
// bar from the keyboard. The end-to-end suite presses the real keys too.
#include "fixture.h"

#include "forms/designs.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"
#include "gui/qtext.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace tolvaren;
using namespace tolvaren::testing;

class KeysTest : public QObject {
    Q_OBJECT
    Program p;

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    // A box that gets the focus by Tab selects its text, so typing replaces
    // it. (A form opening on a unit list is checked in the real window.)
    void typingReplacesTheFocusedText()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        QTRY_COMPARE(QApplication::focusWidget(), f->inputBox());
        QTest::keyClick(f->inputBox(), Qt::Key_Tab);
        QTest::keyClicks(f->fromList(), "Ton");
        QCOMPARE(f->fromList()->currentText(), QStringLiteral("Ton"));
    }

    // The prefix list opens with no current item, and Down picks the first
    // prefix. (The unit lists are checked in the real window.)
    void downPicksTheFirstPrefix()
    {
        QString picked;
        QVERIFY(driveModal([this] { menuAction(p.main, "prefconv")->trigger(); },
                           [&](QWidget *prefix) {
                               auto *list = prefix->findChild<QListWidget *>("Prefixlst");
                               QTRY_COMPARE(QApplication::focusWidget(), list);
                               QTest::keyClick(list, Qt::Key_Down);
                               picked = list->selectedItems().value(0) ? list->selectedItems()[0]->text() : "";
                               prefix->close();
                           }));
        QCOMPARE(picked, QStringLiteral("Tetra"));
    }

    // Qt stops a box at 32,767 characters by default; a pasted number
    // after a million blanks still reads as that number.
    void textOfAnyLength()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        const QString long42 = QString(1'000'000, ' ') + "42";
        f->inputBox()->setText(long42);
        f->fromList()->setEditText(long42);
        QCOMPARE(f->inputBox()->text(), long42);
        QCOMPARE(f->fromList()->currentText(), long42);
        chooseUnit(f->fromList(), "Meter");
        chooseUnit(f->toList(), "Centimeter");
        click(f->findChild<QPushButton *>("Command1"));
        QCOMPARE(f->outputBox()->text(), QStringLiteral(" 4200"));
    }

    // Ctrl+Left stops at the start of a word of non-blank characters,
    // Ctrl+Right at the start of the next word: a number is one word.
    void wordByWord()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        QLineEdit *box = f->inputBox();
        box->setText(" 16.404  Mach @ 20000ft");
        box->setCursorPosition(int(box->text().size()));
        QList<int> stops;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(box, Qt::Key_Left, Qt::ControlModifier);
            stops << box->cursorPosition();
        }
        QCOMPARE(stops, QList<int>({16, 14, 9, 1, 0, 0}));
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(box->selectedText(), QStringLiteral(" 16.404  Mach "));
        box->setCursorPosition(14);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(box->cursorPosition(), 16);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(box->cursorPosition(), 23);
        // An emoji takes two places of the text and is one letter on screen.
        box->setText(QStringLiteral("\U0001F600 5 x"));
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(box->cursorPosition(), 3);
    }

    // Chords with Alt type nothing; F10 and Alt alone open the menu bar.
    void chordsTypeNothing()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        QTRY_COMPARE(QApplication::focusWidget(), f->inputBox());
        QTest::keyClicks(f->inputBox(), "5");
        for (char letter : {'f', 'h', 'x'})
            QTest::keyClick(f->inputBox(), letter, Qt::AltModifier);
        QCOMPARE(f->inputBox()->text(), QStringLiteral("5"));
    }
    void menuBarFromTheKeyboard_data()
    {
        const design::MainMenus &m = design::mainMenus();
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("then"); // pressed in the menu that opened, if not 0
        QTest::addColumn<QString>("open");
        QTest::newRow("F10") << int(Qt::Key_F10) << 0 << qstr(m.file.name);
        QTest::newRow("Alt") << int(Qt::Key_Alt) << 0 << qstr(m.file.name);
        // With no screen reader listening, the next menu's first item is
        // highlighted at once, as Qt does it.
        QTest::newRow("F10, Right") << int(Qt::Key_F10) << int(Qt::Key_Right) << qstr(m.help.name);
    }
    void menuBarFromTheKeyboard()
    {
        QFETCH(int, key);
        QFETCH(int, then);
        QFETCH(QString, open);
        QVERIFY(openConverter("Distance"));
        QVERIFY(activate(p.main));
        // Twice: the menu comes at once after a command from it too.
        for (int round = 0; round < 2; ++round) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            QTRY_VERIFY(QApplication::activePopupWidget());
            if (then) {
                QTest::keyClick(QApplication::activePopupWidget(), Qt::Key(then));
                auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                QVERIFY(menu);
                QCOMPARE(menu->activeAction(), menu->actions().value(0));
            }
            QCOMPARE(QApplication::activePopupWidget()->objectName(), open);
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
            if (round == 0)
                menuAction(p.main, "refmem")->trigger();
        }
    }
    // Alt held for a click is no press of Alt alone.
    void altWithAClickOpensNoMenu()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        QVERIFY(activate(p.main));
        QTest::keyPress(f->inputBox(), Qt::Key_Alt);
        QTest::mouseClick(f->inputBox(), Qt::LeftButton, Qt::AltModifier);
        QTest::keyRelease(f->inputBox(), Qt::Key_Alt);
        // A menu opens while the release is handled, or from what it posts.
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"

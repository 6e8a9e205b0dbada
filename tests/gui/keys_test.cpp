// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The keys a classic desktop user relies on: typing replaces a focused
// text, Enter presses the focused button, Down in a list showing its
// placeholder picks the first unit, texts of any length, and chords that
// type nothing.
#include "fixture.h"

#include "forms/designs.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"

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

    // The forms whose first control is a unit list: a unit typed as soon as
    // the form opens replaces the placeholder, and Tab into a box selects
    // its text too.
    void typingReplacesTheFocusedText_data()
    {
        QTest::addColumn<QString>("form");
        for (const design::Form *f : design::converterForms())
            for (const design::Control &c : f->controls)
                if (c.tabIndex == 0 && c.kind == design::Kind::ComboBox)
                    QTest::newRow(f->name.data()) << QString::fromUtf8(f->name.data(), f->name.size());
    }
    void typingReplacesTheFocusedText()
    {
        QFETCH(QString, form);
        ConverterForm *f = openConverter(form);
        QVERIFY(f);
        QTRY_COMPARE(QApplication::focusWidget(), f->fromList());
        QTest::keyClicks(f->fromList(), "Ton");
        QCOMPARE(f->fromList()->currentText(), QStringLiteral("Ton"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "7");
        QCOMPARE(f->inputBox()->text(), QStringLiteral("7"));
    }

    // Enter presses a focused button of every kind, as Space does.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("category") << "Command1";
        QTest::newRow("Convert") << "Command1 on Distance";
        QTest::newRow("New") << "Command2 on Distance";
        QTest::newRow("Go") << "Go";
        QTest::newRow("Close") << "Close";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        if (button == "Command1") {
            auto *distance = control<QPushButton>("Selection", "Command1");
            distance->setFocus();
            QTest::keyClick(distance, Qt::Key_Return);
            QCOMPARE(loadedNames(), QStringList{"Distance"});
            return;
        }
        if (button.endsWith("on Distance")) {
            ConverterForm *f = openConverter("Distance");
            QVERIFY(f);
            convertOn(f, "5", "Meter", "Feet");
            f->outputBox()->setText("stale");
            auto *pressed = f->findChild<QPushButton *>(button.section(' ', 0, 0));
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key_Enter);
            QCOMPARE(f->outputBox()->text(), button.startsWith("Command1") ? " 16.404" : "Answer displayed here");
            return;
        }
        bool pressed = false;
        QVERIFY(driveModal([this] { menuAction(p.main, "prefconv")->trigger(); },
                           [&](QWidget *prefix) {
                               auto *list = prefix->findChild<QListWidget *>("Prefixlst");
                               list->setCurrentRow(3); // Kilo
                               auto *go = prefix->findChild<QPushButton *>("Command1");
                               auto *close = prefix->findChild<QPushButton *>("Command2");
                               if (button == "Go") {
                                   go->setFocus();
                                   QTest::keyClick(go, Qt::Key_Return);
                                   pressed = prefix->findChild<QLineEdit *>("prefouttxt")->text() == " 1000";
                                   prefix->close();
                               } else {
                                   close->setFocus();
                                   QTest::keyClick(close, Qt::Key_Return);
                                   pressed = !prefix->isVisible();
                               }
                           }));
        QVERIFY(pressed);
    }

    // A list showing its placeholder has no current unit: Down picks the
    // first one, on a fresh form and after New alike.
    void downPicksTheFirstUnit()
    {
        ConverterForm *f = openConverter("Distance");
        QVERIFY(f);
        for (const char *when : {"fresh", "after New"}) {
            QTest::keyClick(f->fromList(), Qt::Key_Down);
            QCOMPARE(f->fromList()->currentText(), QStringLiteral("Meter"));
            QTest::keyClick(f->fromList(), Qt::Key_Down);
            QCOMPARE(f->fromList()->currentText(), QStringLiteral("Inch"));
            if (QByteArray(when) == "fresh")
                click(f->findChild<QPushButton *>("Command2"));
        }
        // The prefix list too: it opens with no current item, and Down
        // picks the first prefix.
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
    // Ctrl+Right at its end: a number is one word.
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
        QCOMPARE(box->selectedText(), QStringLiteral(" 16.404  Mach"));
        // An emoji takes two places of the text and is one letter on screen.
        box->setText(QStringLiteral("\U0001F600 5 x"));
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(box->cursorPosition(), 2);
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
        QTest::addColumn<int>("key");
        QTest::newRow("F10") << int(Qt::Key_F10);
        QTest::newRow("Alt") << int(Qt::Key_Alt);
    }
    void menuBarFromTheKeyboard()
    {
        QFETCH(int, key);
        QVERIFY(openConverter("Distance"));
        QApplication::setActiveWindow(p.main);
        // Twice: the menu comes at once after a command from it too.
        for (int round = 0; round < 2; ++round) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            QTRY_VERIFY(QApplication::activePopupWidget());
            QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("file"));
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
        QApplication::setActiveWindow(p.main);
        QTest::keyPress(f->inputBox(), Qt::Key_Alt);
        QTest::mouseClick(f->inputBox(), Qt::LeftButton, Qt::AltModifier);
        QTest::keyRelease(f->inputBox(), Qt::Key_Alt);
        QTest::qWait(50);
        QVERIFY(!QApplication::activePopupWidget());
    }
};

QTEST_MAIN(KeysTest)
#include "keys_test.moc"

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Moving between measurement types: the welcome form's six buttons and the
// five category buttons of every converter form.
#include "fixture.h"

#include "core/memory.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace tolvaren;
using namespace tolvaren::testing;

class NavigationTest : public QObject {
    Q_OBJECT
    Program p;

    // Exactly `form` is loaded, alone inside the main window and maximised.
    void verifyOnlyOpen(const QString &form)
    {
        QCOMPARE(loadedNames(), QStringList{form});
        QList<QMdiSubWindow *> frames = p.main->mdiArea()->subWindowList();
        frames.removeIf([](const QMdiSubWindow *f) { return !f->isVisible(); });
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0]->widget(), loadedForm(form));
        QVERIFY(frames[0]->isVisible());
        QVERIFY(frames[0]->isMaximized());
        QTRY_COMPARE(frames[0]->geometry(), p.main->mdiArea()->viewport()->rect());
    }

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    void categoryButton_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target");
        for (const auto &[source, button, target] : categoryButtons())
            QTest::addRow("%s %s", qPrintable(source), qPrintable(button)) << source << button << target;
    }
    void categoryButton()
    {
        QFETCH(QString, source);
        QFETCH(QString, button);
        QFETCH(QString, target);
        if (source != "Selection") {
            ConverterForm *form = openConverter(source);
            QVERIFY(form);
            convertOn(form, "3", form->fromList()->itemText(0), form->toList()->itemText(1));
            QVERIFY(form->outputBox()->text() != kDesignTexts[3]);
        }
        memory().inputValue = 7;
        memory().resultValue = 9;

        auto *pressed = control<QPushButton>(source, button);
        QVERIFY(pressed);
        click(pressed);

        verifyOnlyOpen(target);
        QCOMPARE(memory().inputValue, 0.0);
        QCOMPARE(memory().resultValue, 0.0);
        auto *opened = qobject_cast<ConverterForm *>(loadedForm(target));
        QVERIFY(opened);
        QCOMPARE(fourTexts(opened), kDesignTexts);
        QVERIFY(p.boxes.isEmpty());
    }

    // What the user finds on a form: each box's text, caret, selection and
    // whether Undo or Redo would change it, each list's current unit, where
    // the focus is and the memory.
    static QStringList seen(const ConverterForm *form)
    {
        QStringList state;
        for (const QLineEdit *box : form->findChildren<QLineEdit *>())
            state << QStringLiteral("%1: '%2' caret %3 selected '%4' undo %5 redo %6")
                         .arg(box->accessibleName(), box->text())
                         .arg(box->cursorPosition())
                         .arg(box->selectedText())
                         .arg(box->isUndoAvailable())
                         .arg(box->isRedoAvailable());
        for (const QComboBox *list : form->findChildren<QComboBox *>())
            state << QStringLiteral("%1: unit %2").arg(list->objectName()).arg(list->currentIndex());
        return state << "focus " + focusName()
                     << QStringLiteral("memory %1 %2").arg(memory().inputValue).arg(memory().resultValue);
    }

    // A form shown again is as it first opened, whatever was left on it.
    void reopenedFormStartsAfresh_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<std::function<void(ConverterForm *)>>("leave");
        QTest::addRow("converted") << "Distance"
                                   << std::function([](ConverterForm *f) { convertOn(f, "5", "Meter", "Feet"); });
        QTest::addRow("typed and rubbed out") << "Distance" << std::function([](ConverterForm *f) {
            type(f->inputBox(), "5");
            QTest::keyClick(f->inputBox(), Qt::Key_Backspace);
        });
        QTest::addRow("placeholder typed over a unit") << "Distance" << std::function([](ConverterForm *f) {
            chooseUnit(f->toList(), "Inch");
            f->toList()->setEditText(kDesignTexts[2]);
        });
        QTest::addRow("result partly selected") << "Time" << std::function([](ConverterForm *f) {
            convertOn(f, "2", "Day", "Hour");
            f->outputBox()->setSelection(1, 2);
        });
        QTest::addRow("design text selected, caret at its start")
            << "Speed" << std::function([](ConverterForm *f) { f->outputBox()->setSelection(4, -4); });
        QTest::addRow("focus on a later control") << "mass" << std::function([](ConverterForm *f) {
            f->toList()->setFocus();
            f->toList()->lineEdit()->setCursorPosition(3);
        });
    }
    void reopenedFormStartsAfresh()
    {
        QFETCH(QString, form);
        QFETCH(std::function<void(ConverterForm *)>, leave);
        ConverterForm *opened = openConverter(form);
        QVERIFY(opened);
        const QStringList fresh = seen(opened);
        leave(opened);
        QVERIFY(seen(opened) != fresh);
        // Away through another converter and back.
        const QList<CategoryButton> buttons = categoryButtons();
        const auto there = std::ranges::find(buttons, form, &CategoryButton::form);
        QVERIFY(there != buttons.end());
        click(control<QPushButton>(form, there->button));
        verifyOnlyOpen(there->opens);
        const auto back = std::ranges::find_if(
            buttons, [&](const CategoryButton &b) { return b.form == there->opens && b.opens == form; });
        QVERIFY(back != buttons.end());
        click(control<QPushButton>(back->form, back->button));
        verifyOnlyOpen(form);
        QCOMPARE(seen(qobject_cast<ConverterForm *>(loadedForm(form))), fresh);
    }
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"

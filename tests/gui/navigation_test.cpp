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

using namespace tolvaren;
using namespace tolvaren::testing;

class NavigationTest : public QObject {
    Q_OBJECT
    Program p;

    // Exactly `form` is loaded, alone inside the main window and maximised.
    void verifyOnlyOpen(const QString &form)
    {
        QCOMPARE(loadedNames(), QStringList{form});
        const QList<QMdiSubWindow *> frames = p.main->mdiArea()->subWindowList();
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

    void reopenedFormStartsAfresh()
    {
        ConverterForm *distance = openConverter("Distance");
        QVERIFY(distance);
        convertOn(distance, "5", "Meter", "Feet");
        QCOMPARE(distance->outputBox()->text(), QStringLiteral(" 16.404"));
        click(control<QPushButton>("Distance", "Command3")); // Mass
        QCOMPARE(loadedNames(), QStringList{"mass"});
        click(control<QPushButton>("mass", "Command3")); // Distance
        verifyOnlyOpen("Distance");
        distance = qobject_cast<ConverterForm *>(loadedForm("Distance"));
        QVERIFY(distance);
        QCOMPARE(fourTexts(distance), kDesignTexts);
        QCOMPARE(memory().inputValue, 0.0);
        QCOMPARE(memory().resultValue, 0.0);
    }
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"

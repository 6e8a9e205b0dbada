// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The two modal windows of the menus, the prefix converter and the About
// box, and the message box itself.
#include "fixture.h"

#include "core/memory.h"
#include "forms/designs.h"
#include "forms/twips.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"
#include "gui/prefixdialog.h"
#include "version.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <initializer_list>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {
template <typename T> T *in(QWidget *window, const char *name) { return window->findChild<T *>(QLatin1String(name)); }

void pickPrefix(QListWidget *list, const QString &name)
{
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty())
        return;
    list->scrollToItem(found[0]);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
}

// Output box and caption of the prefix converter.
QStringList answer(QWidget *prefix)
{
    return {in<QLineEdit>(prefix, "prefouttxt")->text(), in<QLabel>(prefix, "prefpreflbl")->text()};
}

void verifyFreshPrefix(QWidget *prefix)
{
    QCOMPARE(prefix->objectName(), QStringLiteral("Prefix"));
    QCOMPARE(prefix->windowTitle(), QStringLiteral("Measurment Prefix"));
    QCOMPARE(in<QLineEdit>(prefix, "prefintxt")->text(), QStringLiteral("1"));
    QCOMPARE(answer(prefix), QStringList({"Answer displayed here", ""}));
    auto *list = in<QListWidget>(prefix, "Prefixlst");
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    QCOMPARE(items, QStringList({"Tetra", "Giga", "Mega", "Kilo", "Hecto", "Deka", "Deci", "Centi", "Milli", "Micro",
                                 "Nano", "Pico"}));
    QVERIFY(list->selectedItems().isEmpty());
    QTRY_COMPARE(focusName(), QStringLiteral("Prefixlst"));
}

// One Go: prefix picked (empty: none), input typed (null: the design's "1"),
// then either output and caption, or a refusing box that leaves them.
struct Go {
    QString prefix, input, output, caption, prompt, title;
};
// A column of texts, one row each, named by its text.
void textRows(const char *column, std::initializer_list<const char *> texts)
{
    QTest::addColumn<QString>(column);
    for (const char *text : texts)
        QTest::newRow(text) << QString(text);
}

} // namespace
Q_DECLARE_METATYPE(Go)

class DialogsTest : public QObject {
    Q_OBJECT
    Program p;

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    void prefixFromMenuIsModalAndStartsAfresh()
    {
        ConverterForm *distance = openConverter("Distance");
        QVERIFY(distance);
        convertOn(distance, "1", "Meter", "Inch");
        const QStringList texts = allTexts(distance);
        const ConversionMemory held = memory();

        for (int opening = 1; opening <= 2; ++opening) {
            const bool ok =
                driveModal([this] { menuAction(p.main, "prefconv")->trigger(); },
                           [](QWidget *prefix) {
                               QCOMPARE(prefix->windowModality(), Qt::ApplicationModal);
                               verifyFreshPrefix(prefix);
                               pickPrefix(in<QListWidget>(prefix, "Prefixlst"), "Kilo");
                               click(in<QPushButton>(prefix, "Command1"));
                               QCOMPARE(answer(prefix), QStringList({" 1000", "Kilo = 1.00 x 10 raced to 3"}));
                               click(in<QPushButton>(prefix, "Command2"));
                           });
            QVERIFY(ok);
            QVERIFY(!loadedForm("Prefix"));
        }
        QCOMPARE(loadedNames(), QStringList{"Distance"});
        QCOMPARE(allTexts(distance), texts);
        QCOMPARE(memory().inputValue, held.inputValue);
        QCOMPARE(memory().resultValue, held.resultValue);
        QVERIFY(p.boxes.isEmpty());
    }

    // However it is closed, the prefix converter is unloaded, and the next
    // opening starts from its design.
    void prefixCloses_data() { textRows("how", {"Close", "Escape", "close box"}); }
    void prefixCloses()
    {
        QFETCH(QString, how);
        const auto open = [this] { menuAction(p.main, "prefconv")->trigger(); };
        const bool ok = driveModal(open, [&how](QWidget *prefix) {
            type(in<QLineEdit>(prefix, "prefintxt"), "7");
            if (how == "Close")
                click(in<QPushButton>(prefix, "Command2"));
            else if (how == "Escape")
                QTest::keyClick(in<QLineEdit>(prefix, "prefintxt"), Qt::Key_Escape);
            else
                prefix->close();
        });
        QVERIFY(ok);
        settle();
        QVERIFY(!loadedForm("Prefix"));
        QVERIFY(driveModal(open, [](QWidget *prefix) {
            verifyFreshPrefix(prefix);
            prefix->close();
        }));
    }

    void go_data()
    {
        QTest::addColumn<Go>("g");
        QTest::newRow("Kilo 1") << Go{"Kilo", QString(), " 1000", "Kilo = 1.00 x 10 raced to 3"};
        QTest::newRow("Tetra 2") << Go{"Tetra", "2", " 2000000000000", "Tetra = 1.00 x 10 raced to 12"};
        QTest::newRow("Centi 250") << Go{"Centi", "250", " 2.5", "Centi = 1.00 x 10 raced to -2"};
        QTest::newRow("Milli -4") << Go{"Milli", "-4", "-.004", "Milli = 1.00 x 10 raced to -3"};
        QTest::newRow("letters") << Go{"Deka", "abc", {}, {}, "Input value is not a number", "Error"};
        QTest::newRow("lone blank") << Go{"Kilo", " ", {}, {}, "Input value is not a number", "Error"};
        QTest::newRow("no input") << Go{"Kilo", "", {}, {}, "Input value and/or prefix", "Value missing"};
        QTest::newRow("no prefix") << Go{"", "5", {}, {}, "Input value and/or prefix", "Value missing"};
        QTest::newRow("decimal comma") << Go{
            "Kilo", "2,5", {}, {}, "Input value is not a number. Use a point for decimals: \"2.5\".", "Error"};
        QTest::newRow("overflow") << Go{"Tetra", "1E300", {}, {}, "The result is too large to show", "Error"};
    }
    void go()
    {
        QFETCH(Go, g);
        PrefixDialog prefix(p.main);
        prefix.show();
        QWidget *dialog = &prefix;
        auto *list = in<QListWidget>(dialog, "Prefixlst");
        auto *goButton = in<QPushButton>(dialog, "Command1");
        if (!g.prompt.isEmpty() && !g.prefix.isEmpty()) {
            // Something on screen for a refusal to leave alone.
            pickPrefix(list, "Hecto");
            type(in<QLineEdit>(dialog, "prefintxt"), "3");
            click(goButton);
            QCOMPARE(answer(dialog), QStringList({" 300", "Hecto = 1.00 x 10 raced to 2"}));
        }
        const QStringList before = answer(dialog);
        memory().inputValue = 4;
        memory().resultValue = 5;

        if (!g.prefix.isEmpty()) {
            pickPrefix(list, g.prefix);
            QCOMPARE(list->selectedItems().value(0)->text(), g.prefix);
        }
        if (!g.input.isNull())
            type(in<QLineEdit>(dialog, "prefintxt"), g.input);
        click(goButton);

        if (g.prompt.isEmpty()) {
            QVERIFY(p.boxes.isEmpty());
            QCOMPARE(answer(dialog), QStringList({g.output, g.caption}));
        } else {
            QCOMPARE(boxTexts(p.boxes), boxTexts({{g.prompt, MessageIcon::Critical, g.title}}));
            QCOMPARE(answer(dialog), before);
        }
        if (g.title == "Error") {
            // Back in the input box, its text selected for the correction.
            auto *input = in<QLineEdit>(dialog, "prefintxt");
            QTRY_VERIFY(input->hasFocus());
            QCOMPARE(input->selectedText(), g.input);
        }
        // The prefix converter keeps clear of the conversion memory.
        QCOMPARE(memory().inputValue, 4.0);
        QCOMPARE(memory().resultValue, 5.0);
    }

    void aboutCloses_data() { textRows("how", {"OK", "Enter", "keypad Enter", "Escape", "close box"}); }
    void aboutCloses()
    {
        QFETCH(QString, how);
        ConverterForm *distance = openConverter("Distance");
        QVERIFY(distance);
        convertOn(distance, "2", "Feet", "Inch");
        QCOMPARE(distance->outputBox()->text(), QStringLiteral(" 24"));
        const QStringList texts = allTexts(distance);
        const ConversionMemory held = memory();

        const bool ok = driveModal([this] { menuAction(p.main, "about")->trigger(); },
                                   [&](QWidget *about) {
                                       QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
                                       QCOMPARE(about->windowTitle(), QStringLiteral("About MyApp"));
                                       QCOMPARE(in<QLabel>(about, "lblTitle")->text(),
                                                QStringLiteral("Tolvaren   v" TOLVAREN_VERSION));
                                       QTRY_COMPARE(focusName(), QStringLiteral("cmdOK"));
                                       QWidget *focus = QApplication::focusWidget();
                                       if (how == "OK")
                                           click(in<QPushButton>(about, "cmdOK"));
                                       else if (how == "Enter")
                                           QTest::keyClick(focus, Qt::Key_Return);
                                       else if (how == "keypad Enter")
                                           QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
                                       else if (how == "Escape")
                                           QTest::keyClick(focus, Qt::Key_Escape);
                                       else
                                           about->close();
                                   });
        QVERIFY(ok);
        QVERIFY(!loadedForm("frmAbout"));
        QCOMPARE(loadedNames(), QStringList{"Distance"});
        QCOMPARE(allTexts(distance), texts);
        QCOMPARE(memory().inputValue, held.inputValue);
        QCOMPARE(memory().resultValue, held.resultValue);
    }

    // The separator above the notice is etched: the grey line on its row,
    // the lower half of the wider white line beneath it, nothing above.
    void aboutSeparatorIsEtched_data()
    {
        QTest::addColumn<int>("below"); // pixel rows below the designed row
        QTest::addColumn<QString>("shows");
        QTest::newRow("row above") << -1 << QStringLiteral("window");
        QTest::newRow("grey line") << 0 << QStringLiteral("#808080");
        QTest::newRow("white beneath") << 1 << QStringLiteral("#ffffff");
        QTest::newRow("row after") << 2 << QStringLiteral("window");
    }
    void aboutSeparatorIsEtched()
    {
        QFETCH(int, below);
        QFETCH(QString, shows);
        QImage shown;
        QColor window;
        QVERIFY(driveModal([this] { menuAction(p.main, "about")->trigger(); },
                           [&](QWidget *about) {
                               shown = about->grab().toImage();
                               window = about->palette().color(QPalette::Window);
                               about->close();
                           }));
        const QPoint spot(100, twipsToPixels(2400) + below); // clear of every label
        const QColor expected = shows == "window" ? window : QColor(shows);
        QCOMPARE(shown.pixelColor(spot * shown.devicePixelRatio()), expected);
    }

    // A reader is still going through what a closed window did when it
    // closes: the window answers until the next one closes, and is then
    // gone.
    void closedWindowKept_data() { textRows("window", {"message box", "about", "prefconv"}); }
    void closedWindowKept()
    {
        QFETCH(QString, window);
        setMessageHook({});
        const auto open = [this](const QString &which) {
            if (which == "message box")
                showMessage(MessageIcon::Information, design::kMainCaption, "Overflow");
            else
                menuAction(p.main, which.toLatin1().constData())->trigger();
        };
        QPointer<QWidget> closed;
        QVERIFY(driveModal([&] { open(window); },
                           [&closed](QWidget *w) {
                               closed = w;
                               w->close();
                           }));
        QVERIFY(closed);
        QVERIFY(!closed->isVisible());
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(closed);
        QVERIFY(read && read->isValid());
        QVERIFY(driveModal([&] { open("message box"); }, [](QWidget *w) { w->close(); }));
        QTRY_VERIFY(!closed);
    }

    // The real box, not the recording hook: the icon as asked, and OK is its
    // only button.
    void messageBoxIcon_data()
    {
        QTest::addColumn<MessageIcon>("asked");
        QTest::addColumn<int>("icon");
        QTest::newRow("critical") << MessageIcon::Critical << int(QMessageBox::Critical);
        QTest::newRow("warning") << MessageIcon::Warning << int(QMessageBox::Warning);
        QTest::newRow("information") << MessageIcon::Information << int(QMessageBox::Information);
    }
    void messageBoxIcon()
    {
        QFETCH(MessageIcon, asked);
        QFETCH(int, icon);
        setMessageHook({});
        const bool ok =
            driveModal([asked] { showMessage(asked, design::kMainCaption, "Overflow"); },
                       [icon](QWidget *w) {
                           auto *box = qobject_cast<QMessageBox *>(w);
                           QVERIFY(box);
                           QCOMPARE(int(box->icon()), icon);
                           QCOMPARE(box->text(), QStringLiteral("Overflow"));
                           QCOMPARE(box->windowTitle(), QString::fromUtf8(design::kMainCaption));
                           QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                           // Of fixed size: no window manager is to offer another.
                           QCOMPARE(box->windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowFlags());
                           // Read once, from its label; and as wide as its title.
                           QVERIFY(box->accessibleDescription().isEmpty());
                           // Modal to a reader too, its icon no object, its text no stop.
                           QAccessibleInterface *read = QAccessible::queryAccessibleInterface(box);
                           QVERIFY(read->state().modal);
                           const auto of = [box](const char *name) {
                               return QAccessible::queryAccessibleInterface(box->findChild<QLabel *>(name));
                           };
                           QCOMPARE(read->indexOfChild(of("qt_msgboxex_icon_label")), -1);
                           QVERIFY(!of("qt_msgbox_label")->state().focusable);
                           // A title bar holds the title, an icon and a close button, each
                           // about a title bar high.
                           const int bar = box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
                           QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->windowTitle()) + 3 * bar);
                           click(box->button(QMessageBox::Ok));
                       });
        QVERIFY(ok);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The six converter forms driven through their controls: conversions, the
// refusals and the overflow box, New, typed units and the keyboard order.
#include "fixture.h"

#include "core/memory.h"
#include "forms/converters.h"
#include "forms/designs.h"
#include "gui/converterform.h"
#include "gui/mainwindow.h"
#include "gui/qtext.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {

// One Convert: the three texts entered and what the output box shows. Typed
// units go in key by key with Return and Tab, else items are picked.
struct Conversion {
    QString form, input, from, to, output;
    double inputValue = 0;
    bool typed = false;
};
// One Convert that a message box refuses, leaving everything as it was;
// `atFault` is the control that then has the focus with its text selected
// ("" where the focus is not looked at).
struct Refusal {
    QString form, input, from, to;
    Box box;
    QString atFault;
    bool typed = false;
};
// One Convert that overflows; `result` is what the memory holds afterwards
// (NaN: not looked at) and `next` the output of converting 1 right after.
struct Overflow {
    QString form, input, from, to;
    double result = 0;
    QString next;
};
} // namespace
Q_DECLARE_METATYPE(Conversion)
Q_DECLARE_METATYPE(Refusal)
Q_DECLARE_METATYPE(Overflow)

namespace {
// Types the input, then each unit key by key and Tab, checking that the
// list keeps the text exactly as typed; then converts with Enter in the
// to-list, which adds no item to the list either.
void typeAndConvert(ConverterForm *f, const QString &input, const QString &from, const QString &to)
{
    type(f->inputBox(), input);
    for (const auto &[list, text] : {std::pair{f->fromList(), from}, std::pair{f->toList(), to}}) {
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        list->lineEdit()->clear();
        QTest::keyClicks(list->lineEdit(), text);
        QTest::keyClick(list->lineEdit(), Qt::Key_Tab);
        QVERIFY(!list->hasFocus());
        QCOMPARE(list->currentText(), text);
    }
    f->toList()->setFocus();
    QTRY_VERIFY(f->toList()->hasFocus());
    QTest::keyClick(f->toList()->lineEdit(), Qt::Key_Return);
}
} // namespace

class ConverterTest : public QObject {
    Q_OBJECT
    Program p;

    // Opens `form` and converts 2 from its first unit to its second, so that
    // the output and the memory hold something to keep.
    ConverterForm *openWithResult(const QString &form)
    {
        ConverterForm *f = openConverter(form);
        if (f)
            convertOn(f, "2", f->fromList()->itemText(0), f->toList()->itemText(1));
        return f;
    }

  private slots:
    void init() { QVERIFY(p.start()); }
    void cleanup() { p.stop(); }

    // One conversion per form, the numbers being the core's; typed text is
    // kept exactly: no completion from the list, nothing added to it, not on
    // Return and not when the focus moves on.
    void converts_data()
    {
        QTest::addColumn<Conversion>("c");
        QTest::newRow("distance") << Conversion{"Distance", "5", "Meter", "Feet", " 16.404", 5};
        QTest::newRow("mass") << Conversion{"mass", "2", "Ton", "Gram", " 1997600", 2};
        QTest::newRow("temp") << Conversion{"Temp", "0", "K", "deg. F", "-459.4", 0};
        QTest::newRow("volume") << Conversion{"Volume", "10", "Gallon", "Liter", " 37.85", 10};
        QTest::newRow("speed") << Conversion{"Speed", "2", "Mach @ 20000ft", "Km/hour", " 2276", 2};
        QTest::newRow("time") << Conversion{"Time", "90", "Minute", "Hour", " 1.53", 90};
        QTest::newRow("typed Feet") << Conversion{"Distance", "1", "Mile", "Feet", " 5282.14", 1, true};
        QTest::newRow("typed deg. C") << Conversion{"Temp", "100", "deg. C", "deg. F", " 212", 100, true};
        QTest::newRow("typed Mile/hour") << Conversion{"Speed", "60", "Mile/hour", "Km/hour", " 96.6", 60, true};
    }
    void converts()
    {
        QFETCH(Conversion, c);
        ConverterForm *f = openConverter(c.form);
        QVERIFY(f);
        const int units = f->fromList()->count();
        if (c.typed)
            typeAndConvert(f, c.input, c.from, c.to);
        else
            convertOn(f, c.input, c.from, c.to);
        QVERIFY(p.boxes.isEmpty());
        QCOMPARE(fourTexts(f), QStringList({c.input, c.from, c.to, c.output}));
        QCOMPARE(memory().inputValue, c.inputValue);
        QCOMPARE(f->fromList()->count(), units);
        QCOMPARE(f->toList()->count(), units);
    }

    void refusalChangesNothing_data()
    {
        QTest::addColumn<Refusal>("r");
        const QList<std::array<QString, 4>> incomplete{
            {"Distance", "Meter", "Inch", "Incomplete data"}, {"mass", "Pound", "Gram", "Incomplete Data"},
            {"Temp", "K", "deg. C", "Incomplete Data"},       {"Volume", "Quart", "Liter", "Incomplete Data"},
            {"Speed", "Knot", "Km/hour", "Incomplete data"},  {"Time", "Day", "Hour", "Incomplete Data"},
        };
        for (const auto &[form, from, to, message] : incomplete)
            QTest::addRow("%s no input", qPrintable(form))
                << Refusal{form, "", from, to, {message, MessageIcon::Critical, "Error"}};
        // "Incomplete data" on the Distance and Speed forms, "Incomplete Data" on the others.
        const Box small{"Incomplete data", MessageIcon::Critical, "Error"},
            capital{"Incomplete Data", MessageIcon::Critical, "Error"};
        QTest::newRow("from placeholder") << Refusal{"Distance", "2", "This unit...", "Inch", small};
        QTest::newRow("to placeholder") << Refusal{"Distance", "2", "Meter", "...converted to", small};
        QTest::newRow("from empty") << Refusal{"Speed", "2", "", "Knot", small};
        QTest::newRow("to empty") << Refusal{"Time", "2", "Day", "", capital};
        const Box same{"Use your common sense!!! n*1 = n*1 ;where n = any digit", MessageIcon::Warning,
                       "Warning: Your Common Sense is not in use"};
        const QList<std::pair<QString, QString>> sameUnit{{"Distance", "Feet"}, {"mass", "Kilogram"}, {"Temp", "K"},
                                                          {"Volume", "Liter"},  {"Speed", "Knot"},    {"Time", "Day"},
                                                          {"Distance", "abc"}};
        for (const auto &[form, unit] : sameUnit)
            QTest::addRow("%s same %s", qPrintable(form), qPrintable(unit)) << Refusal{form, "2", unit, unit, same};
        // Input that is not wholly a number, and unit texts that are no item
        // of the list (typed key by key, Tab and Enter keep them as typed).
        const Box nan{"Input value is not a number", MessageIcon::Critical, "Error"};
        QTest::newRow("letters") << Refusal{"Distance", "abc", "Meter", "Inch", nan, "input"};
        QTest::newRow("blanks only") << Refusal{"Volume", "   ", "Quart", "Liter", nan, "input"};
        QTest::newRow("leading number") << Refusal{"mass", "12abc", "Pound", "Kilogram", nan, "input"};
        QTest::newRow("decimal comma") << Refusal{
            "Time", "1,5", "Hour", "Minute", {nan.text + ". Use a point for decimals: \"1.5\".", nan.icon, nan.title},
            "input"};
        const auto unknown = [](const QString &unit, const QString &hint) {
            return Box{"Unknown unit: \"" + unit + "\". " + hint, MessageIcon::Critical, "Error"};
        };
        const QString meter = "Did you mean \"Meter\"?", pick = "Pick a unit from the list.";
        QTest::newRow("typed meter") << Refusal{"Distance", "2", "meter", "Inch", unknown("meter", meter),
                                                "from",     true};
        QTest::newRow("typed Meter blank")
            << Refusal{"Distance", "5", "Meter ", "Feet", unknown("Meter ", meter), "from", true};
        QTest::newRow("typed ft") << Refusal{"Distance", "1", "Meter", "ft", unknown("ft", pick), "to", true};
        QTest::newRow("placeholders swapped")
            << Refusal{"Distance", "2", "...converted to", "This unit...", unknown("...converted to", pick), "from"};
        const QString longUnit = QString(50, 'x');
        QTest::newRow("long unit cut short")
            << Refusal{"Distance", "2", "Meter", longUnit, unknown(QString(39, 'x') + QChar(0x2026), pick), "to"};
    }
    void refusalChangesNothing()
    {
        QFETCH(Refusal, r);
        ConverterForm *f = openWithResult(r.form);
        QVERIFY(f);
        const QString output = f->outputBox()->text();
        QVERIFY(output != kDesignTexts[3]);
        const ConversionMemory held = memory();
        QVERIFY(held.inputValue != 0);

        if (r.typed)
            typeAndConvert(f, r.input, r.from, r.to);
        else
            convertOn(f, r.input, r.from, r.to);
        QCOMPARE(boxTexts(p.boxes), boxTexts({r.box}));
        QCOMPARE(fourTexts(f), QStringList({r.input, r.from, r.to, output}));
        QCOMPARE(memory().inputValue, held.inputValue);
        QCOMPARE(memory().resultValue, held.resultValue);
        if (r.atFault.isEmpty())
            return;
        // The control at fault has the focus, its whole text selected, so
        // the correction can be typed at once.
        QLineEdit *edit = r.atFault == "input"  ? f->inputBox()
                          : r.atFault == "from" ? f->fromList()->lineEdit()
                                                : f->toList()->lineEdit();
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), edit->text());
    }

    void overflowShowsBoxAndCarriesOn_data()
    {
        QTest::addColumn<Overflow>("o");
        const double inf = std::numeric_limits<double>::infinity();
        const double unchecked = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("1E308") << Overflow{"Distance", "1E308", "Meter", "Inch", inf, " 39.37"};
        QTest::newRow("1E400") << Overflow{"Distance", "1E400", "Meter", "Inch", unchecked, " 39.37"};
        // The first of two steps overflows: nothing reaches the memory.
        QTest::newRow("temp") << Overflow{"Temp", "1E308", "deg. C", "deg. F", 0, " 33.8"};
        QTest::newRow("time") << Overflow{"Time", "1E305", "Year", "Second", inf, " 31557600"};
    }
    void overflowShowsBoxAndCarriesOn()
    {
        QFETCH(Overflow, o);
        ConverterForm *f = openWithResult(o.form);
        QVERIFY(f);
        const QString output = f->outputBox()->text();

        convertOn(f, o.input, o.from, o.to);
        QCOMPARE(boxTexts(p.boxes), QStringList{"The result is too large to show | critical | Error"});
        QCOMPARE(f->outputBox()->text(), output);
        // Typing next replaces the input rather than adding to it.
        QTRY_VERIFY(f->inputBox()->hasFocus());
        QCOMPARE(f->inputBox()->selectedText(), o.input);
        if (!std::isnan(o.result))
            QCOMPARE(memory().resultValue, o.result);

        convertOn(f, "1", o.from, o.to);
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(f->outputBox()->text(), o.next);
    }

    void newRestoresDesignTexts_data()
    {
        QTest::addColumn<QString>("form");
        for (const design::Converter &c : design::converters()) {
            const QString form = qstr(c.form.name);
            QTest::newRow(qPrintable(form)) << form;
        }
    }
    void newRestoresDesignTexts()
    {
        QFETCH(QString, form);
        ConverterForm *f = openWithResult(form);
        QVERIFY(f);
        QVERIFY(memory().inputValue != 0);
        click(f->findChild<QPushButton *>("Command2"));
        QCOMPARE(fourTexts(f), kDesignTexts);
        QCOMPARE(memory().inputValue, 0.0);
        QCOMPARE(memory().resultValue, 0.0);
        QVERIFY(p.boxes.isEmpty());
        // The placeholders are texts again, not picked units: Convert now
        // finds the data incomplete.
        click(f->findChild<QPushButton *>("Command1"));
        QCOMPARE(p.boxes.size(), 1);
        QCOMPARE(p.boxes[0].title, QStringLiteral("Error"));
    }

    // The first control has the focus when a form opens, and Tab walks the
    // designed order and wraps round; the category buttons run forwards on some forms and
    // backwards on others.
    void focusAndTabOrder_data()
    {
        QTest::addColumn<QStringList>("order");
        const QStringList fwd{"Command1", "Command2", "Command3", "Command4",
                              "Command5", "Command6", "Command7", "Picture1"};
        const QStringList back{"Command1", "Command2", "Command7", "Command6",
                               "Command5", "Command4", "Command3", "Picture1"};
        QTest::newRow("Distance") << QStringList{"distintxt", "Combo1", "Combo2", "distouttxt"} + fwd;
        QTest::newRow("mass") << QStringList{"Massc1", "massintxt", "massouttxt", "Massc2"} + back;
        QTest::newRow("Temp") << QStringList{"Tempc1", "tempintxt", "Tempc2", "tempouttxt"} + back;
        QTest::newRow("Volume") << QStringList{"Volc1", "volintxt", "Volc2", "volouttxt"} + back;
        QTest::newRow("Speed") << QStringList{"spdintxt", "Spdc1", "spdouttxt", "Spdc2"} + fwd;
        QTest::newRow("Time") << QStringList{"timeintxt", "Timec1", "timeouttxt", "Timec2"} + back;
    }
    void focusAndTabOrder()
    {
        QFETCH(QStringList, order);
        QVERIFY(openConverter(QTest::currentDataTag()));
        QTRY_COMPARE(focusName(), order[0]);
        for (qsizetype i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusName(), order[i]);
        }
        // Round and round within the form, both ways.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), order.first());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(), order.last());
    }
};

QTEST_MAIN(ConverterTest)
#include "converter_test.moc"

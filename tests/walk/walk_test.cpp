// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// A long random walk through the real windows: typing anything into the
// boxes, picking and typing units, Convert, New, every category button, the
// menu commands, the prefix converter and the About box, with message boxes
// now and then shown for real and closed from a timer.
//
// The walk knows no formula; the numbers are checked by the core's tables.
// After each action it checks what must hold whatever the numbers are: one
// child window, the one last asked for, and the form it replaced gone; a
// Convert ends in the one outcome its three texts call for and touches only
// what that outcome may touch; New, Refresh Memory and the modal windows do
// to the memory what they must; nothing modal outlives its action.
//
// TOLVAREN_WALK_SEED picks the walk (the same seed replays the same walk),
// TOLVAREN_WALK_STEPS its length, TOLVAREN_WALK_TRACE=1 prints every action.

#include "fixture.h"

#include "categories/categories.h"
#include "core/numbertext.h"
#include "core/prefix.h"
#include "forms/converters.h"
#include "forms/designs.h"
#include "gui/converterform.h"
#include "gui/dialogform.h"
#include "gui/formwidget.h"
#include "gui/mainwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <random>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {

const QString kWelcome = QStringLiteral("Selection");
const QString kFromStart = kDesignTexts[1], kToStart = kDesignTexts[2];
const Box kSameUnitBox{"Use your common sense!!! n*1 = n*1 ;where n = any digit", MessageIcon::Warning,
                       "Warning: Your Common Sense is not in use"};
const Box kOverflowBox{"The result is too large to show", MessageIcon::Critical, "Error"};
const Box kHelpBox{"Help Topics can be found in: tolvhelp.html in the same directory", MessageIcon::Information,
                   "Help Topics"};
const Box kMissingBox{"Input value and/or prefix", MessageIcon::Critical, "Value missing"};

// Whether a text is one number the program converts: blanks left out, a
// signed decimal with an optional exponent, or a hexadecimal or octal
// literal, and nothing else.
bool wholeNumber(QString text)
{
    static const QRegularExpression number(QStringLiteral(
        "^(?:[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[EeDd][+-]?[0-9]+)?|&[Hh][0-9A-Fa-f]+|&[Oo][0-7]+)$"));
    text.remove(QRegularExpression(QStringLiteral("[ \\t\\r\\n]")));
    return number.match(text).hasMatch();
}

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
// The i-th of a few words.
QLatin1String nth(std::initializer_list<const char *> words, int i) { return QLatin1String(std::data(words)[i]); }

// "Left as it was" is meant bit for bit, the sign of a zero included.
bool same(double a, double b) { return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b); }
bool listed(const Category &c, const QString &unit)
{
    return std::ranges::any_of(c.units, [&](std::string_view u) { return qstr(u) == unit; });
}
bool same(const ConversionMemory &a, const ConversionMemory &b)
{
    return same(a.inputValue, b.inputValue) && same(a.resultValue, b.resultValue);
}

// A form's design by its name, and the measurement type of a converter form.
const design::Form *designNamed(const QString &name)
{
    for (const design::Converter &c : design::converters())
        if (name == qstr(c.form.name))
            return &c.form;
    return name == kWelcome ? &design::welcomeForm() : nullptr;
}
const Category *categoryOf(const QString &form)
{
    for (const design::Converter &c : design::converters())
        if (form == qstr(c.form.name))
            return &c.category;
    return nullptr;
}

QString shown(const QString &s)
{
    QString out;
    for (QChar c : s.left(80))
        out += c.unicode() < 0x20 ? QStringLiteral("\\x%1").arg(uint(c.unicode()), 2, 16, QChar(u'0')) : QString(c);
    return '"' + out + (s.size() > 80 ? QStringLiteral("...(%1 chars)\"").arg(s.size()) : QStringLiteral("\""));
}
QString shown(const QStringList &texts)
{
    QStringList out;
    for (const QString &s : texts)
        out << shown(s);
    return out.join(QStringLiteral(" | "));
}
QString shown(const ConversionMemory &m)
{
    return QStringLiteral("%1 / %2").arg(m.inputValue, 0, 'g', 17).arg(m.resultValue, 0, 'g', 17);
}

// How a text goes in (see typeInto) and how a button is pressed (see press).
QLatin1String typing(int how) { return nth({"keys", "keys appended", "pasted"}, how); }
QLatin1String pressing(int how) { return nth({" (mouse)", " (space bar)", " (click through the window system)"}, how); }

// What a converter form shows and what is remembered, before and after.
struct Snapshot {
    QStringList texts; // input, from, to, output; none on the welcome form
    ConversionMemory memory;
};

class Walker {
  public:
    Walker(quint64 seed, bool trace) : m_rng(seed), m_trace(trace) {}

    // Walks `steps` actions and ends with Exit. Returns the first broken
    // check and the actions that led to it, or nothing.
    QString walk(int steps)
    {
        if (!m_p.start())
            return QStringLiteral("the main window did not come up");
        settle();
        QTimer watchdog; // no step may hang in a modal loop
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [this] { rescue(); });
        QElapsedTimer clock;
        clock.start();
        checkWindows();
        while (m_step < steps && m_failure.isEmpty()) {
            watchdog.start(20000);
            randomStep();
            watchdog.stop();
        }
        // A long walk must have reached every outcome of Convert.
        for (const char *kind : {"incomplete data", "same unit", "not a number", "unknown unit", "result", "overflow"})
            expect(steps < 1000 || m_outcomes.contains(QStringLiteral("Convert ") + kind),
                   QStringLiteral("no Convert ended in ") + kind);
        // Exit, from inside a running event loop: the loop must end.
        if (m_failure.isEmpty())
            expect(exitEndsTheLoop(m_p.main, 15000), "Exit did not end the program's event loop");
        // Straight to stderr: warnings from the program may have used up the
        // test log's quota of messages.
        std::fprintf(stderr, "walk: %s\n", qPrintable(summary(clock.elapsed())));
        m_p.stop();
        if (m_failure.isEmpty())
            return {};
        QString text = QStringLiteral("step %1: %2\nlast actions:\n").arg(m_step).arg(m_failure);
        for (const QString &line : m_log)
            text += QStringLiteral("  ") + line + '\n';
        return text;
    }

  private:
    // ----- random numbers and texts -----

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }
    template <typename List> const auto &any(const List &list) { return list[pick(static_cast<int>(list.size()))]; }

    QString number()
    {
        if (chance(0.005)) // long texts: the reading must stay linear
            return '1' + QString(nth({"9", "0", " ", "1 "}, pick(4))).repeated(5000 + pick(10000)) + '5';
        // clang-format off
        static const std::vector<const char *> fixed{
            "1E308", "1E400", "-1E400", "1.7976931348623157E308", "9.9E307", "-9.9E307", "1E300", "1e307", "&HFFFF",
            "&H8000", "&O17", "&H7FFFFFFF", "&h1f", "12abc", " 1 2 3", "1,5", "$12", ".5", "-.5", "1e", "--1", "+5",
            "0", "-0", "00012.500", "1.2.3", "   ", "", "abc", "1E-400", "4.94065645841247E-324",
            "123456789012345678901234567890", "0.000001901", "1D3", "1.5e-3", "24 and 57", "50%", "0x1F", "&", "-",
            ".", "98.6", "37", "-40", "373", "100", "2.5", "60", "90", "-459.4", "1.79769313486232E+308", "2E12",
        };
        // clang-format on
        switch (pick(6)) {
        case 0: return QString::number(std::uniform_int_distribution<int>(-100000, 100000)(m_rng));
        case 1: return QString::number(std::uniform_real_distribution<double>(-1e6, 1e6)(m_rng), 'g', 1 + pick(17));
        case 2:
            return QStringLiteral("%1.%2%3%4%5")
                .arg(1 + pick(9))
                .arg(pick(1000))
                .arg(nth({"E", "e", "D", "d"}, pick(4)), nth({"", "-", "+"}, pick(3)), QString::number(pick(420)));
        case 3:
        case 4: return QString::fromUtf8(any(fixed));
        default: return junk();
        }
    }

    QString junk()
    {
        static const QStringList pieces{"a",      "Z",          " ",      ".",      "-",      "+",
                                        "&",      "E",          "7",      "0",      "%",      "/",
                                        "@",      "\u00e9",     "\u00bd", "\u0661", "\uff15", "\u2212",
                                        "\u00a0", "\U0001F600", "\u041c", "\u0301", "\u200b", "\u4e2d"};
        QString s;
        for (int i = 0, n = pick(12); i < n; ++i)
            s += any(pieces);
        return chance(0.05) ? s + QString(100 + pick(300), QChar(u'0' + pick(10))) : s;
    }

    // A unit text typed into a list of a form of type `c`.
    QString unit(const Category &c)
    {
        const QString own = qstr(any(c.units));
        switch (pick(10)) {
        case 3: return own.toLower();
        case 4: return own.toUpper();
        case 5: return chance(0.5) ? own + ' ' : ' ' + own;
        case 6: return chance(0.5) ? kFromStart : kToStart;
        case 7: return qstr(any(any(design::converters()).category.units));
        case 8: return QString();
        case 9: return chance(0.5) ? junk() : QStringLiteral("\u041ceter"); // a look-alike letter
        default: return own;
        }
    }

    // ----- the actions, each checked for what it must do -----

    void randomStep()
    {
        ++m_step;
        m_real = chance(0.03);
        const int roll = pick(100);
        const Snapshot before = snapshot();
        if (const Category *c = categoryOf(m_asked); c && roll < 75) {
            converterAction(*c, roll);
        } else if (!c && roll < 70) {
            categoryButton();
        } else if (roll < 77) {
            askForForm();
        } else if (roll < 82) {
            begin("Refresh Memory");
            menuAction(m_p.main, "refmem")->trigger();
            expect(same(memory(), {}), "Refresh Memory left the memory at " + shown(memory()));
            expect(snapshot().texts == before.texts, "Refresh Memory changed the texts to " + shown(snapshot().texts));
        } else if (roll < 86) {
            begin("Help Topics");
            menuAction(m_p.main, "hlptop")->trigger();
            expectBoxes({kHelpBox}, "Help Topics");
            expectUnchanged(before, "Help Topics");
        } else {
            roll < 89 ? windowAction() : modal(roll >= 96);
            expectUnchanged(before, m_log.back());
        }
        settle();
        if (m_real)
            realBoxes(false);
        expectBoxes({}, "after the action"); // every box belongs to the action that showed it
        checkWindows();
    }

    void converterAction(const Category &c, int roll)
    {
        ConverterForm *form = converter();
        const int units = static_cast<int>(c.units.size());
        if (roll < 10) {
            const QString text = number();
            const int from = pick(units), to = chance(0.9) ? (from + 1 + pick(units - 1)) % units : from;
            // Now and then one of the units is typed: any text, none included.
            const int typed = pick(6);
            const QString unitText = typed < 2 ? unit(c) : QString();
            const auto named = [&](int side, int item) {
                return typed == side ? shown(unitText) : QStringLiteral("item %1").arg(item);
            };
            begin("whole conversion", "convert " + shown(text) + " from " + named(0, from) + " to " + named(1, to));
            typeInto(form->inputBox(), text, text.size() > 300 ? 2 : 0);
            for (QComboBox *list : {form->fromList(), form->toList()})
                if (typed == (list == form->toList()))
                    typeInto(list->lineEdit(), unitText, 0);
                else
                    pickUnit(list, list == form->toList() ? to : from);
            convert(0);
        } else if (roll < 24) {
            const QString text = number();
            const int how = text.size() > 300 || form->inputBox()->text().size() > 200 ? 2 : pick(3);
            begin("type input", QStringLiteral("input %1 %2").arg(typing(how), shown(text)));
            typeInto(form->inputBox(), text, how);
        } else if (roll < 40) {
            const bool isFrom = roll < 32;
            QComboBox *list = isFrom ? form->fromList() : form->toList();
            const QLatin1String which(isFrom ? "from" : "to");
            if (chance(0.55)) {
                const int index = pick(units);
                begin("pick unit", QStringLiteral("%1 picked item %2").arg(which).arg(index));
                pickUnit(list, index);
            } else {
                const QString text = unit(c);
                const int how = text.isEmpty() || list->currentText().size() > 100 ? 0 : pick(3);
                begin("type unit", QStringLiteral("%1 %2 %3").arg(which, typing(how), shown(text)));
                typeInto(list->lineEdit(), text, how);
            }
        } else if (roll < 42) {
            keys(form, pick(6));
        } else if (roll < 62) {
            const int how = pick(3);
            begin("Convert", "Convert" + pressing(how));
            convert(how);
        } else if (roll < 66) {
            const int how = pick(3);
            begin("New", "New" + pressing(how));
            press(control<QAbstractButton>("Command2"), how);
            expect(fourTexts(form) == kDesignTexts, "New left the texts " + shown(fourTexts(form)));
            expect(same(memory(), {}), "New left the memory at " + shown(memory()));
        } else {
            categoryButton();
        }
    }

    // Convert: the outcome follows from the three texts alone, and only a
    // result may touch the output and the memory.
    void convert(int how)
    {
        convertBy([&] { press(control<QAbstractButton>("Command1"), how); });
    }
    void convertBy(const std::function<void()> &pressConvert)
    {
        const Snapshot before = snapshot();
        pressConvert();
        const QString &input = before.texts[0], &from = before.texts[1], &to = before.texts[2];
        const QStringList after = fourTexts(converter());
        const ConversionMemory m = memory();
        const Category &c = *categoryOf(m_asked);
        const QString on = "Convert on " + shown(before.texts);
        if (input.isEmpty() || from.isEmpty() || to.isEmpty() || from == kFromStart || to == kToStart) {
            outcome("Convert incomplete data");
            expectBoxes({{qstr(c.incompleteMessage), MessageIcon::Critical, "Error"}}, on);
            expectUnchanged(before, "Convert with incomplete data");
        } else if (from == to) {
            outcome("Convert same unit");
            expectBoxes({kSameUnitBox}, on);
            expectUnchanged(before, "Convert to the same unit");
        } else if (!wholeNumber(input)) {
            outcome("Convert not a number");
            expectRefusal("Input value is not a number", on);
            expectUnchanged(before, "Convert of no number");
        } else if (const QString unknown = !listed(c, from) ? from
                                           : !listed(c, to) ? to
                                                            : QString();
                   !unknown.isNull()) {
            outcome("Convert unknown unit");
            // The box names the text, cut short when it is long.
            expectRefusal("Unknown unit: \"" + (unknown.size() > 40 ? unknown.left(20) : unknown), on);
            expectUnchanged(before, "Convert with an unknown unit");
        } else if (m_p.boxes.isEmpty()) {
            outcome("Convert result");
            const ValResult read = Val(input.toStdString());
            expect(!read.overflow && same(m.inputValue, read.value) && std::isfinite(m.resultValue),
                   QStringLiteral("Convert of %1 shows a result and stored %2").arg(shown(input), shown(m)));
            const QStringList want{input, from, to, qstr(Str(m.resultValue))};
            expect(after == want, "Convert shows " + shown(after) + ", expected " + shown(want));
        } else {
            outcome("Convert overflow");
            expectBoxes({kOverflowBox}, on);
            expect(after == before.texts, "Convert overflowed and shows " + shown(after));
        }
    }

    // Enter in a box converts; a key that closes child windows elsewhere
    // does nothing here (nothing would bring a closed form back).
    void keys(ConverterForm *form, int which)
    {
        static const QKeyCombination pressed[] = {Qt::Key_Return,
                                                  Qt::Key_Return,
                                                  Qt::Key_Return,
                                                  Qt::Key_Escape,
                                                  Qt::ControlModifier | Qt::Key_F4,
                                                  Qt::ControlModifier | Qt::Key_W};
        QLineEdit *edit = which == 0   ? form->fromList()->lineEdit()
                          : which == 1 ? form->toList()->lineEdit()
                                       : form->inputBox();
        begin("keys", QStringLiteral("key %1 in %2")
                          .arg(QKeySequence(pressed[which]).toString(), edit->parentWidget()->objectName()));
        if (pressed[which].key() == Qt::Key_Return) {
            convertBy([&] {
                edit->setFocus(Qt::OtherFocusReason);
                QTest::keyClick(edit, Qt::Key_Return);
            });
            return;
        }
        const Snapshot before = snapshot();
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit, pressed[which].key(), pressed[which].keyboardModifiers());
        expectUnchanged(before, "a key");
    }

    // A category button of the form on screen.
    void categoryButton()
    {
        std::vector<const design::Control *> buttons;
        for (const design::Control &k : designNamed(m_asked)->controls)
            if (k.opensCategory)
                buttons.push_back(&k);
        const design::Control &button = *any(buttons);
        const int how = pick(3);
        begin("category", "category button " + qstr(button.name) + pressing(how));
        auto *pressed = control<QAbstractButton>(qstr(button.name));
        opening(qstr(design::converterForm(*button.opensCategory)->name), [&] { press(pressed, how); });
    }

    // A form asked of the main window directly: a converter or the welcome form.
    void askForForm()
    {
        const auto types = design::converters();
        const int i = pick(static_cast<int>(types.size()) + 1);
        const QString target = i ? qstr(types[i - 1].form.name) : kWelcome;
        begin("form asked for", "show " + target);
        opening(target, [&] { i ? m_p.main->showConverter(types[i - 1].category) : m_p.main->showWelcome(); });
    }

    // Runs `open`, which must replace the form on screen with `target`.
    void opening(const QString &target, const std::function<void()> &open)
    {
        const ConversionMemory before = memory();
        m_left = m_p.main->currentForm();
        m_asked = target;
        ++m_windows;
        open();
        settle();
        QWidget *form = m_p.main->currentForm();
        if (!expect(form && form->objectName() == target, "asked for " + target + ", shown " + loadedNames().join(',')))
            return;
        if (auto *c = qobject_cast<ConverterForm *>(form)) {
            expect(fourTexts(c) == kDesignTexts, target + " opened with the texts " + shown(fourTexts(c)));
            expect(same(memory(), {}), target + " opened with the memory at " + shown(memory()));
        } else {
            expect(same(memory(), before), "the welcome form changed the memory to " + shown(memory()));
        }
        const auto &controls = designNamed(target)->controls;
        const auto first = std::ranges::find(controls, 0, &design::Control::tabIndex);
        expect(first != controls.end() && focusName() == qstr(first->name),
               target + " opened with the focus on " + focusName());
    }

    // The size or state of the main window. (The window tests check the
    // size View Original Size gives.)
    void windowAction()
    {
        MainWindow *main = m_p.main;
        const int r = pick(6), width = 180 + pick(500), height = 150 + pick(450);
        if (r < 3) {
            begin("View Original Size");
            menuAction(main, "origsize")->trigger();
        } else if (r < 5) {
            begin("resize", QStringLiteral("resize the main window to %1x%2").arg(width).arg(height));
            main->resize(width, height);
        } else {
            static void (QWidget::*const show[])() = {&QWidget::showMaximized, &QWidget::showMinimized,
                                                      &QWidget::showNormal};
            begin("window state", QStringLiteral("window state %1").arg(r % 3));
            (main->*show[r % 3])();
        }
    }

    // The About box or the prefix converter, driven inside its own loop
    // and closed, with a watchdog.
    void modal(bool isAbout)
    {
        const int how = pick(4), actions = 1 + pick(8);
        begin(isAbout ? "About" : "Prefix Converter",
              QStringLiteral("%1, closed by %2")
                  .arg(QLatin1String(isAbout ? "About" : "Prefix Converter"),
                       nth({"OK / Close", "Enter / its close box", "Escape", "its close box"}, how)));
        ++m_windows;
        const auto drive = [&](QWidget *window) {
            auto *ok = window->findChild<QAbstractButton *>(QStringLiteral("cmdOK"));
            if (!isAbout)
                drivePrefix(window, actions, how % 2);
            else if (expect(window->objectName() == QLatin1String("frmAbout") && ok, "modal " + window->objectName()))
                how == 0   ? QTest::mouseClick(ok, Qt::LeftButton)
                : how == 1 ? QTest::keyClick(ok, Qt::Key_Return)
                : how == 2 ? QTest::keyClick(window, Qt::Key_Escape)
                           : void(window->close());
        };
        expect(driveModal([&] { menuAction(m_p.main, isAbout ? "about" : "prefconv")->trigger(); }, drive, 15000),
               m_log.back() + " did not open, or did not close");
    }

    // A few random actions in the prefix converter, each Go checked for its
    // outcome, then Close or the close box.
    void drivePrefix(QWidget *dialog, int actions, int closeHow)
    {
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("Prefixlst"));
        auto *input = dialog->findChild<QLineEdit *>(QStringLiteral("prefintxt"));
        auto *output = dialog->findChild<QLineEdit *>(QStringLiteral("prefouttxt"));
        auto *caption = dialog->findChild<QLabel *>(QStringLiteral("prefpreflbl"));
        auto *go = dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        auto *close = dialog->findChild<QAbstractButton *>(QStringLiteral("Command2"));
        if (!expect(list && input && output && caption && go && close && list->count() == int(prefixTable().size()),
                    "modal " + dialog->objectName() + " instead of the prefix converter"))
            return;
        const auto selected = [list] {
            const QList<QListWidgetItem *> s = list->selectedItems();
            return s.isEmpty() ? -1 : list->row(s.front());
        };
        for (int i = 0; i < actions && m_failure.isEmpty(); ++i) {
            const int r = pick(100), row = selected();
            const QStringList before{input->text(), output->text(), caption->text()};
            if (r < 30) {
                const QString text = number();
                const int how = text.size() > 300 ? 2 : pick(3);
                log(QStringLiteral("  prefix input %1 %2").arg(typing(how), shown(text)));
                typeInto(input, text, how);
            } else if (r < 63) {
                // A click picks an item; a control-click on the picked one
                // takes the selection away.
                const bool drop = r >= 58 && row >= 0;
                const int target = drop ? row : pick(list->count());
                log(QStringLiteral("  prefix %1 item %2").arg(nth({"select", "deselect"}, drop)).arg(target));
                QListWidgetItem *item = list->item(target);
                list->scrollToItem(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, drop ? Qt::ControlModifier : Qt::NoModifier,
                                  list->visualItemRect(item).center());
                expect(selected() == (drop ? -1 : target), QStringLiteral("prefix item %1 selected").arg(selected()));
            } else if (r < 96) {
                const int how = pick(3);
                log(QStringLiteral("  Go") + pressing(how));
                press(go, how);
                const QStringList after{input->text(), output->text(), caption->text()};
                if (before[0].isEmpty() || row < 0) {
                    outcome("Go missing");
                    expectBoxes({kMissingBox}, "Go");
                    expect(after == before, "Go without a value or prefix shows " + shown(after));
                } else if (!wholeNumber(before[0])) {
                    outcome("Go not a number");
                    expectRefusal("Input value is not a number", "Go");
                    expect(after == before, "Go of no number shows " + shown(after));
                } else if (m_p.boxes.isEmpty()) {
                    outcome("Go result");
                    expect(!Val(before[0].toStdString()).overflow && after[0] == before[0] && !after[1].isEmpty() &&
                               after[2] == qstr(prefixTable()[row].caption),
                           "Go shows " + shown(after));
                } else {
                    outcome("Go overflow");
                    expectBoxes({kOverflowBox}, "Go");
                    expect(after == before, "Go overflowed and shows " + shown(after));
                }
            } else {
                // The windows behind a modal one take no input; New there
                // would show in the snapshot taken before the dialog.
                log(QStringLiteral("  click New behind it"));
                if (auto *newButton = control<QAbstractButton>("Command2"))
                    windowClick(newButton);
            }
            QApplication::processEvents();
        }
        closeHow == 0 ? QTest::mouseClick(close, Qt::LeftButton) : void(dialog->close());
    }

    // ----- doing things the way a user does -----

    template <typename T> T *control(const QString &name) const { return testing::control<T>(m_asked, name); }
    ConverterForm *converter() const { return qobject_cast<ConverterForm *>(loadedForm(m_asked)); }

    // how: 0 a mouse click, 1 the space bar, 2 a click through the window
    // system (a mouse click where that spot is hidden).
    void press(QAbstractButton *button, int how)
    {
        if (!expect(button, "a button is missing") || (how == 2 && windowClick(button)))
            return;
        if (how == 1) {
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    // A click handed to the window system at the middle of `w`, so that it
    // reaches whatever is there, unless a modal window blocks it. False when
    // that spot is not on screen (a shrunken main window hides it).
    static bool windowClick(QWidget *w)
    {
        const QPoint centre = w->rect().center();
        QWindow *window = w->window()->windowHandle();
        if (!window || !w->isVisible() || !w->visibleRegion().contains(centre))
            return false;
        QTest::mouseClick(window, Qt::LeftButton, {}, window->mapFromGlobal(w->mapToGlobal(centre)));
        return true;
    }

    // Types (how 0: replacing, 1: appending) or pastes (how 2) `text` into
    // `edit`; the box must then hold exactly what went in.
    void typeInto(QLineEdit *edit, const QString &text, int how)
    {
        const QString want = how == 1 ? edit->text() + text : text;
        if (how == 2)
            QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(edit, how == 1 ? Qt::Key_End : Qt::Key_A, how == 1 ? Qt::NoModifier : Qt::ControlModifier);
        if (how == 2)
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        else if (how == 0 && text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        for (int i = 0; how != 2 && i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
                QTest::keyClick(edit, c.toLatin1());
            } else {
                // What an input method delivers: one key carrying the text,
                // a whole surrogate pair at once.
                const int n = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
                i += n - 1;
            }
        }
        expect(edit->text() == want, edit->objectName() + " holds " + shown(edit->text()) + " after " + shown(want));
    }

    // Opens the drop-down and clicks the item, as a user does.
    void pickUnit(QComboBox *list, int index)
    {
        list->showPopup();
        QAbstractItemView *view = list->view();
        if (!expect(view->isVisible(), "the drop-down list did not open"))
            return;
        const QModelIndex item = list->model()->index(index, list->modelColumn());
        view->scrollTo(item);
        const QPoint at = view->visualRect(item).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (!expect(!view->isVisible(), "the drop-down list stayed open after a click on an item"))
            list->hidePopup();
        const QString want = qstr(categoryOf(m_asked)->units[index]);
        expect(list->currentText() == want, "picked " + want + ", the list shows " + shown(list->currentText()));
    }

    // Message boxes shown for real, read and closed from a timer, or (off)
    // recorded by the hook.
    void realBoxes(bool on)
    {
        m_boxCloser.reset();
        if (!on) {
            setMessageHook([this](const Message &m) { m_p.boxes << Box{m.text, m.icon, m.title}; });
            return;
        }
        setMessageHook({});
        m_boxCloser = std::make_unique<QTimer>();
        m_boxCloser->setInterval(0);
        QObject::connect(m_boxCloser.get(), &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            static const QHash<int, MessageIcon> icons{{QMessageBox::Critical, MessageIcon::Critical},
                                                       {QMessageBox::Warning, MessageIcon::Warning},
                                                       {QMessageBox::Information, MessageIcon::Information}};
            expect(icons.contains(box->icon()) && box->buttons().size() == 1 && box->button(QMessageBox::Ok),
                   "a message box without its icon or with more than an OK button");
            m_p.boxes << Box{box->text(), icons.value(box->icon()), box->windowTitle()};
            ++m_realBoxes;
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
            if (box->isVisible())
                box->close();
        });
        m_boxCloser->start();
    }

    // The watchdog: whatever modal window still runs its loop is closed, and
    // the walk stops there.
    void rescue()
    {
        expect(false, "a modal window stayed open: " + loadedNames().join(','));
        for (int i = 0; i < 10 && QApplication::activeModalWidget(); ++i)
            QApplication::activeModalWidget()->close();
    }

    // ----- checking and logging -----

    bool expect(bool ok, const QString &what)
    {
        if (!ok && m_failure.isEmpty())
            m_failure = what;
        return ok;
    }

    // Logs the action about to be done (counted as `kind`) and, if this step
    // drew them, lets message boxes come up for real.
    void begin(const char *kind, const QString &what = {})
    {
        log(QStringLiteral("%1 [%2] %3%4")
                .arg(QString::number(m_step), m_asked, what.isEmpty() ? QString::fromLatin1(kind) : what,
                     m_real ? QStringLiteral(" [real message boxes]") : QString()));
        ++m_counts[QString::fromLatin1(kind)];
        if (m_real)
            realBoxes(true);
    }

    void log(const QString &line)
    {
        m_log.push_back(line);
        if (m_log.size() > 25)
            m_log.pop_front();
        if (m_trace)
            qInfo("%s", qPrintable(line));
    }

    void outcome(const char *kind) { ++m_outcomes[QString::fromLatin1(kind)]; }

    Snapshot snapshot() const
    {
        ConverterForm *c = converter();
        return {c ? fourTexts(c) : QStringList{}, memory()};
    }

    void expectUnchanged(const Snapshot &before, const QString &what)
    {
        const Snapshot now = snapshot();
        expect(now.texts == before.texts && same(now.memory, before.memory),
               QStringLiteral("%1 changed %2, memory %3 to %4, memory %5")
                   .arg(what, shown(before.texts), shown(before.memory), shown(now.texts), shown(now.memory)));
    }

    // The message boxes shown since the last look are exactly `due`.
    // One critical "Error" box whose text starts with `start`; the rest of
    // it is checked where it is made.
    void expectRefusal(const QString &start, const QString &what)
    {
        const QString text = m_p.boxes.size() == 1 ? m_p.boxes[0].text : QString();
        expect(text.startsWith(start), what + ": message boxes [" + boxTexts(m_p.boxes).join(QStringLiteral(", ")) +
                                           "], expected one starting " + shown(start));
        expectBoxes({{text, MessageIcon::Critical, "Error"}}, what);
    }

    void expectBoxes(const QList<Box> &due, const QString &what)
    {
        m_boxes += m_p.boxes.size();
        const QStringList seen = boxTexts(m_p.boxes), want = boxTexts(due);
        expect(seen == want, what + ": message boxes [" + seen.join(QStringLiteral(", ")) + "], expected [" +
                                 want.join(QStringLiteral(", ")) + ']');
        m_p.boxes.clear();
    }

    // One child window shown, maximised, the form last asked for; the one
    // it replaced is hidden; no dialog or message box is open after its action.
    void checkWindows()
    {
        expect(!m_left || m_left == m_p.main->currentForm() || !m_left->isVisible(),
               "the form left behind, " + (m_left ? m_left->objectName() : QString()) + ", is still shown");
        QList<QMdiSubWindow *> frames = m_p.main->mdiArea()->subWindowList();
        frames.removeIf([](const QMdiSubWindow *f) { return !f->isVisible(); });
        expect(frames.size() == 1 && frames[0]->isMaximized() && frames[0]->widget() == m_p.main->currentForm(),
               QStringLiteral("%1 child windows shown in the main window, expected one maximised").arg(frames.size()));
        QStringList forms;
        int dialogs = 0, boxes = 0, kept = 0;
        // The last window closed is kept, hidden, until the next closes; the
        // one before is gone once the deletions waiting have run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *w : QApplication::allWidgets()) {
            if (qobject_cast<FormWidget *>(w) && w->isVisible())
                forms << w->objectName();
            const bool window = qobject_cast<DialogForm *>(w) || qobject_cast<QMessageBox *>(w);
            kept += window && !w->isVisible();
            dialogs += qobject_cast<DialogForm *>(w) && w->isVisible();
            boxes += qobject_cast<QMessageBox *>(w) && w->isVisible();
        }
        expect(forms == QStringList{m_asked} && loadedNames() == forms,
               "forms shown " + forms.join(',') + ", open " + loadedNames().join(',') + ", expected only " + m_asked);
        expect(dialogs == 0 && boxes == 0 && kept <= 1 && !QApplication::activeModalWidget(),
               QStringLiteral("%1 dialogs and %2 message boxes left open, %3 closed ones kept")
                   .arg(dialogs)
                   .arg(boxes)
                   .arg(kept));
        expect(m_p.main->windowTitle() == QLatin1String(design::kMainCaption), "main window title changed");
    }

    QString summary(qint64 ms) const
    {
        QStringList parts;
        for (const auto *counts : {&m_counts, &m_outcomes})
            for (const auto &[what, count] : *counts)
                parts << QStringLiteral("%1 %2").arg(what).arg(count);
        return QStringLiteral("%1 actions in %2 s; %3 message boxes (%4 real), %5 windows opened\n  %6")
            .arg(QString::number(m_step), QString::number(ms / 1000.0, 'f', 1), QString::number(m_boxes),
                 QString::number(m_realBoxes), QString::number(m_windows), parts.join(QStringLiteral(", ")));
    }

    std::mt19937_64 m_rng;
    bool m_trace;
    Program m_p;                // its `boxes` are the message boxes not yet looked at
    QString m_asked = kWelcome; // the form last asked for
    QPointer<QWidget> m_left;   // the form it replaced
    bool m_real = false;        // this step's message boxes come up for real
    std::unique_ptr<QTimer> m_boxCloser;
    std::deque<QString> m_log;
    QString m_failure;
    std::map<QString, int> m_counts, m_outcomes;
    int m_step = 0, m_boxes = 0, m_realBoxes = 0, m_windows = 0;
};

// The offscreen platform says, at every modal window, what it cannot do
// (raise, grab the keyboard); thousands of those would bury the report.
QtMessageHandler previousHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtWarningMsg || !message.startsWith(QLatin1String("This plugin does not support")))
        previousHandler(type, context, message);
}

quint64 envNumber(const char *name, quint64 fallback)
{
    bool ok = false;
    const quint64 v = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? v : fallback;
}

} // namespace

class WalkTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { previousHandler = qInstallMessageHandler(dropPlatformNotes); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void randomWalk()
    {
        const quint64 seed = envNumber("TOLVAREN_WALK_SEED", 20240611);
        const int steps = static_cast<int>(envNumber("TOLVAREN_WALK_STEPS", 1500));
        std::fprintf(stderr, "walk: seed %llu, %d steps (TOLVAREN_WALK_SEED=%llu replays it)\n", seed, steps, seed);
        const QString failure = Walker(seed, qEnvironmentVariableIntValue("TOLVAREN_WALK_TRACE") != 0).walk(steps);
        QVERIFY2(failure.isEmpty(), qPrintable(QStringLiteral("seed %1 broke at %2").arg(seed).arg(failure)));
    }
};

QTEST_MAIN(WalkTest)
#include "walk_test.moc"

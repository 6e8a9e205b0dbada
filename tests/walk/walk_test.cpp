// A long random walk through the real windows: typing anything into the
// boxes, picking and typing units, Convert, New, every category button, the
// menu commands, the prefix converter and the About box. After every action
// the texts on screen, the message boxes and the conversion memory are
// compared with a small model of what the program must show, and the forms
// that were left must really be gone.
//
// TOLVAREN_WALK_SEED picks the walk (the same seed replays the same walk),
// TOLVAREN_WALK_STEPS its length, TOLVAREN_WALK_TRACE=1 prints every action.

#include "../fuzz/model.h"
#include "../widgets/fixture.h"

#include "convert/converterform.h"
#include "forms/dialogform.h"
#include "forms/formwidget.h"
#include "shell/mainwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <deque>
#include <map>
#include <memory>
#include <random>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {

// ---------------------------------------------------------------------------
// The model: what the program must show.

struct FormInfo {
    const char *name;
    CategoryId id;
    const char *first; // the control that has the focus when the form opens
};

const FormInfo kForms[] = {
    {"Distance", CategoryId::Distance, "distintxt"}, {"mass", CategoryId::Mass, "Massc1"},
    {"Temp", CategoryId::Temperature, "Tempc1"},     {"Volume", CategoryId::Volume, "Volc1"},
    {"Time", CategoryId::Time, "timeintxt"},         {"Speed", CategoryId::Speed, "spdintxt"},
};

const FormInfo *formInfo(const QString &name)
{
    for (const FormInfo &f : kForms)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

const QString kFromStart = kDesignTexts[1], kToStart = kDesignTexts[2], kOutStart = kDesignTexts[3];
const MsgBoxCall kSameUnitBox{"Use your common sense!!! n*1 = n*1 ;where n = any digit", 48,
                              "Warning: Your Common Sense is not in use"};
const MsgBoxCall kOverflowBox{"Overflow", 16, "Tolvaren v1.10"};
const MsgBoxCall kHelpBox{"Help Topics can be found in: tolvhelp.html in the same directory", 64, "Help Topics"};
const MsgBoxCall kMissingBox{"Input value and/or prefix", 16, "Value missing"};

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
// The i-th of a few words.
QLatin1String nth(std::initializer_list<const char *> words, int i) { return QLatin1String(std::data(words)[i]); }

struct Model {
    QString current = QStringLiteral("Selection");
    QString input, from, to, output; // the open converter form's four texts
    ConversionMemory memory;
    QList<MsgBoxCall> boxes;         // boxes due since the last check
    std::map<QString, int> outcomes; // how each Convert and Go ended
    // The prefix converter while it is open.
    QString prefixInput, prefixOutput, prefixCaption;
    int prefixSelected = -1;

    const FormInfo *form() const { return formInfo(current); }

    void open(const QString &name)
    {
        current = name;
        newForm();
    }

    void newForm()
    {
        input.clear();
        from = kFromStart;
        to = kToStart;
        output = kOutStart;
        memory = {};
    }

    void convert()
    {
        using Kind = ConvertOutcome::Kind;
        const model::Convert want =
            model::convert(input.toStdString(), from.toStdString(), to.toStdString(), category(form()->id), memory);
        memory = want.memory;
        ++outcomes[QStringLiteral("Convert ") + model::name(want.kind)];
        if (want.kind == Kind::IncompleteData)
            boxes << MsgBoxCall{qstr(model::incompleteMessage(form()->id)), 16, QStringLiteral("Error")};
        else if (want.kind == Kind::SameUnit)
            boxes << kSameUnitBox;
        else if (want.kind == Kind::Overflow)
            boxes << kOverflowBox;
        else
            output = qstr(Str(memory.ResultValue));
        if (want.kind == Kind::Result && want.matched)
            ++outcomes[QStringLiteral("Convert by a rule")];
    }

    void openPrefix()
    {
        prefixInput = QStringLiteral("1");
        prefixOutput = kOutStart;
        prefixCaption.clear();
        prefixSelected = -1;
    }

    void go()
    {
        using Kind = GoOutcome::Kind;
        const std::string_view prefix = prefixSelected < 0 ? std::string_view() : prefixTable()[prefixSelected].name;
        const model::Go want = model::go(prefixInput.toStdString(), prefix);
        ++outcomes[QStringLiteral("Go ") + model::name(want.kind)];
        if (want.kind == Kind::Missing) {
            boxes << kMissingBox;
        } else if (want.kind == Kind::Overflow) {
            boxes << kOverflowBox;
        } else {
            prefixOutput = qstr(Str(want.scaled));
            if (!want.caption.empty()) // an unknown prefix leaves the caption
                prefixCaption = qstr(want.caption);
        }
    }
};

// ---------------------------------------------------------------------------
// Printing what the walk does.

QString shown(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s.left(80))
        out += c.unicode() < 0x20 || c.unicode() == 0x7f ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar('0'))
                                                         : QString(c);
    if (s.size() > 80)
        out += QStringLiteral("...(%1 chars)").arg(s.size());
    return out + '"';
}

QString shown(const QStringList &texts)
{
    QStringList out;
    for (const QString &s : texts)
        out << shown(s);
    return out.join(QStringLiteral(" | "));
}

// How a text goes in (see typeText) and how a button is pressed (see press).
QLatin1String typing(int how) { return nth({"keys", "keys appended", "pasted"}, how); }
QLatin1String pressing(int how) { return nth({" (mouse)", " (space bar)", " (click through the window system)"}, how); }

// One action inside the prefix converter.
struct PrefixStep {
    enum { Type, Select, Deselect, Go, Poke } act = Go;
    QString text;
    int index = 0, how = 0;

    QString describe() const
    {
        switch (act) {
        case Type: return QStringLiteral("type %1 %2").arg(typing(how), shown(text));
        case Select: return QStringLiteral("select %1").arg(index);
        case Deselect: return QStringLiteral("deselect");
        case Go: return QStringLiteral("Go %1").arg(how);
        case Poke: break;
        }
        return QStringLiteral("click New behind it");
    }
};

// ---------------------------------------------------------------------------
// The walk. Each action draws what it does from the random numbers, logs it
// and does it; then everything on screen is checked against the model.

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
        QElapsedTimer clock;
        clock.start();
        while (m_step < steps && m_failure.isEmpty())
            randomStep();
        // Exit, from inside a running event loop: the loop must end.
        if (m_failure.isEmpty())
            expect(exitEndsTheLoop(m_p.main, 15000), "Exit did not end the program's event loop");
        qInfo("walk: %s", qPrintable(summary(clock.elapsed())));
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

    int pick(int n) { return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_rng)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }

    QString number()
    {
        if (chance(0.005)) {
            // Long texts: the reading must stay linear.
            const QLatin1String piece = nth({"9", "0", " ", "1 "}, pick(4));
            return QStringLiteral("1") + QString(piece).repeated(5000 + pick(10000)) + QStringLiteral("5");
        }
        // clang-format off
        static const char *const fixed[] = {
            "1E308", "1E400", "-1E400", "1.7976931348623157E308", "9.9E307", "-9.9E307", "1E300", "1e307", "&HFFFF",
            "&H8000", "&O17", "&H7FFFFFFF", "&h1f", "12abc", " 1 2 3", "1,5", "$12", ".5", "-.5", "1e", "--1", "+5",
            "0", "-0", "00012.500", "1.2.3", "   ", "", "abc", "1E-400", "4.94065645841247E-324",
            "123456789012345678901234567890", "0.000001901", "1D3", "1.5e-3", "24 and 57", "50%", "0x1F", "&", "-",
            ".", "98.6", "37", "-40", "373", "0", "100", "2.5", "60", "90", "-459.4", "1.79769313486232E+308", "2E12",
        };
        // clang-format on
        switch (pick(6)) {
        case 0: return QString::number(std::uniform_int_distribution<int>(-100000, 100000)(m_rng));
        case 1: return QString::number(std::uniform_real_distribution<double>(-1e6, 1e6)(m_rng), 'g', 1 + pick(17));
        case 2:
            return QStringLiteral("%1.%2%3%4%5")
                .arg(1 + pick(9))
                .arg(pick(1000))
                .arg(nth({"E", "e", "D", "d"}, pick(4)))
                .arg(QLatin1String(chance(0.5) ? "-" : (chance(0.5) ? "+" : "")))
                .arg(pick(420));
        case 3:
        case 4: return QString::fromUtf8(fixed[pick(static_cast<int>(std::size(fixed)))]);
        default: return junk();
        }
    }

    QString junk()
    {
        static const QStringList pieces{
            "a",      "Z",      " ",      ".",          "-",      "+",      "&",      "E",
            "7",      "0",      "%",      "/",          "@",      "\u00e9", "\u00bd", "\u0661",
            "\uff15", "\u2212", "\u00a0", "\U0001F600", "\u041c", "\u0301", "\u200b", "\u4e2d",
        };
        QString s;
        const int n = pick(12);
        for (int i = 0; i < n; ++i)
            s += pieces[pick(static_cast<int>(pieces.size()))];
        if (chance(0.05))
            s += QString(100 + pick(300), QChar(u'0' + pick(10)));
        return s;
    }

    // A unit text typed into a list of form `f`.
    QString unit(const FormInfo &f)
    {
        const auto units = category(f.id).units;
        const QString own = qstr(units[pick(static_cast<int>(units.size()))]);
        switch (const int r = pick(10)) {
        case 3: return own.toLower();
        case 4: return own.toUpper();
        case 5: return chance(0.5) ? own + ' ' : ' ' + own;
        case 6: return chance(0.5) ? kFromStart : kToStart;
        case 7: {
            const auto others = category(kForms[pick(6)].id).units;
            return qstr(others[pick(static_cast<int>(others.size()))]);
        }
        case 8: return chance(0.5) ? QString() : QStringLiteral("\u041ceter"); // empty, or a look-alike letter
        default: return r < 3 ? own : junk();
        }
    }

    // ----- choosing and doing an action -----

    void randomStep()
    {
        ++m_step;
        m_real = chance(0.03);
        const int roll = pick(100);
        if (const FormInfo *f = m_model.form())
            converterAction(*f, roll);
        else if (roll < 70) // the welcome form: mostly leave it, sometimes the menu first
            switchCategory(pick(6));
        else
            menuCommand(roll % 6);
        settle();
        if (m_real)
            realBoxes(false);
        checkAll();
    }

    // Logs the action about to be done (counted as `kind`) and, if this step
    // drew them, lets message boxes come up for real.
    void begin(const char *kind, const QString &what = {})
    {
        const QString line =
            QStringLiteral("%1 [%2] %3")
                .arg(m_step)
                .arg(m_model.current, (what.isEmpty() ? QString::fromLatin1(kind) : what) +
                                          (m_real ? QStringLiteral(" [real message boxes]") : QString()));
        m_log.push_back(line);
        if (m_log.size() > 25)
            m_log.pop_front();
        if (m_trace)
            qInfo("%s", qPrintable(line));
        ++m_counts[QString::fromLatin1(kind)];
        if (m_real)
            realBoxes(true);
    }

    void converterAction(const FormInfo &f, int roll)
    {
        const int units = static_cast<int>(category(f.id).units.size());
        if (roll < 12) {
            const QString text = number();
            const int from = pick(units);
            const int to = chance(0.9) ? (from + 1 + pick(units - 1)) % units : from;
            begin("whole conversion", QStringLiteral("convert %1 from item %2 to item %3")
                                          .arg(shown(text), QString::number(from), QString::number(to)));
            typeInput(text, text.size() > 300 ? 2 : 0);
            pickUnit(true, from);
            pickUnit(false, to);
            convert(0);
        } else if (roll < 28) {
            const QString text = number();
            int how = pick(3);
            if (how == 1 && m_model.input.size() > 200)
                how = 0;
            if (text.size() > 300) // a long text arrives by pasting
                how = 2;
            begin("type input", QStringLiteral("input %1 %2").arg(typing(how), shown(text)));
            typeInput(text, how);
        } else if (roll < 46) {
            setUnit(f, roll < 37, units);
        } else if (roll < 48) {
            const bool enter = chance(0.7);
            const int index = pick(3);
            if (enter)
                enterIn(index);
            else
                keys(index);
        } else if (roll < 68) {
            const int how = pick(3);
            begin("Convert", "Convert" + pressing(how));
            convert(how);
        } else if (roll < 72) {
            const int how = pick(3);
            begin("New", "New" + pressing(how));
            press(control<QAbstractButton>("Command2"), how);
            m_model.newForm();
        } else if (roll < 79) {
            switchCategory(pick(5));
        } else {
            menuCommand(pick(6));
        }
    }

    // A menu command, or the size or state of the main window.
    void menuCommand(int which)
    {
        m_real = chance(0.03);
        MainWindow *main = m_p.main;
        if (which == 0) {
            begin("Refresh Memory");
            menuAction(main, "refmem")->trigger();
            m_model.memory = {};
        } else if (which == 1) {
            const int r = pick(6), state = pick(3);
            if (r < 3) {
                begin("View Original Size");
                originalSize();
            } else if (r < 5) {
                const int width = 180 + pick(500), height = 150 + pick(450);
                begin("resize", QStringLiteral("resize main window to %1x%2").arg(width).arg(height));
                main->resize(width, height);
            } else {
                begin("window state",
                      QStringLiteral("%1 the main window").arg(nth({"maximise", "minimise", "restore"}, state)));
                static void (QWidget::*const show[])() = {&QWidget::showMaximized, &QWidget::showMinimized,
                                                          &QWidget::showNormal};
                (main->*show[state])();
            }
        } else if (which == 2) {
            begin("Help Topics");
            menuAction(main, "hlptop")->trigger();
            m_model.boxes << kHelpBox;
        } else if (which < 5) {
            prefix();
        } else {
            about();
        }
    }

    // ----- the actions -----

    template <typename T> T *control(const QString &name) const
    {
        return tolvaren::testing::control<T>(m_model.current, name);
    }
    ConverterForm *converter() const
    {
        return qobject_cast<ConverterForm *>(Forms::instance().loadedForm(m_model.current));
    }
    QComboBox *unitList(bool isFrom) const
    {
        ConverterForm *c = converter();
        return c ? (isFrom ? c->fromList() : c->toList()) : nullptr;
    }

    // how: 0 a mouse click, 1 the space bar, 2 a click through the window
    // system (a mouse click where that spot is hidden).
    void press(QAbstractButton *button, int how)
    {
        if (!expect(button, "a button is missing"))
            return;
        if (how == 2 && !windowClick(button))
            how = 0;
        if (how == 0) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (how == 1) {
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
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
    // `edit`; returns what the box holds then.
    static QString typeText(QLineEdit *edit, const QString &text, int how, const QString &before)
    {
        if (how == 2) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            return text;
        }
        if (how == 0) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            if (text.isEmpty() && !edit->text().isEmpty())
                QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            QTest::keyClick(edit, Qt::Key_End);
        }
        for (int i = 0; i < text.size(); ++i) {
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
        return how == 0 ? text : before + text;
    }

    void typeInput(const QString &text, int how)
    {
        if (ConverterForm *c = converter(); expect(c, "no converter form"))
            m_model.input = typeText(c->inputBox(), text, how, m_model.input);
    }

    void convert(int how)
    {
        press(control<QAbstractButton>("Command1"), how);
        m_model.convert();
    }

    // A unit picked from the drop-down list or typed into its edit field.
    void setUnit(const FormInfo &f, bool isFrom, int units)
    {
        const QLatin1String which(isFrom ? "from" : "to");
        const char *kind = isFrom ? "from unit" : "to unit";
        if (chance(0.55)) {
            const int index = pick(units);
            begin(kind, QStringLiteral("%1 picked item %2").arg(which, QString::number(index)));
            pickUnit(isFrom, index);
            return;
        }
        const QString text = unit(f);
        int how = pick(3);
        QString &now = isFrom ? m_model.from : m_model.to;
        if (how == 1 && now.size() > 100)
            how = 0;
        begin(kind, QStringLiteral("%1 %2 %3").arg(which, typing(how), shown(text)));
        if (QComboBox *list = unitList(isFrom); expect(list, "no unit list"))
            now = typeText(list->lineEdit(), text, how, now);
    }

    // Opens the drop-down and clicks the item, as a user does.
    void pickUnit(bool isFrom, int index)
    {
        QComboBox *list = unitList(isFrom);
        if (!expect(list, "no unit list"))
            return;
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
        (isFrom ? m_model.from : m_model.to) = qstr(category(m_model.form()->id).units[index]);
    }

    // Enter in the from-list (0), the to-list (1) or the input box (2).
    void enterIn(int index)
    {
        begin("Enter", QStringLiteral("Enter in the %1").arg(nth({"from-list", "to-list", "input box"}, index)));
        ConverterForm *c = converter();
        if (!expect(c, "no converter form"))
            return;
        QLineEdit *edit = index == 2 ? c->inputBox() : unitList(index == 0)->lineEdit();
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // Keys that would close a child form elsewhere; none does here, as nothing
    // would bring it back.
    void keys(int index)
    {
        begin("keys", QStringLiteral("%1 on the form").arg(nth({"Escape", "Ctrl+F4", "Ctrl+W"}, index)));
        static const QKeyCombination pressed[] = {Qt::Key_Escape, Qt::ControlModifier | Qt::Key_F4,
                                                  Qt::ControlModifier | Qt::Key_W};
        if (ConverterForm *c = converter(); expect(c, "no converter form"))
            QTest::keyClick(c->inputBox(), pressed[index].key(), pressed[index].keyboardModifiers());
    }

    // The index-th category button of the form on screen.
    void switchCategory(int index)
    {
        const int how = pick(3);
        begin("category", QStringLiteral("category button %1").arg(index) + pressing(how));
        const QString button = QStringLiteral("Command%1").arg(index + (m_model.form() ? 3 : 1));
        const QString target = kButtonsOpen.value(m_model.current).value(index);
        auto *b = control<QAbstractButton>(button);
        if (!expect(b, "no category button " + button))
            return;
        expect(kNamedForm.value(b->text()) == target,
               QStringLiteral("button %1 reads %2 but must open %3").arg(button, b->text(), target));
        press(b, how);
        m_model.open(target);
        ++m_windows;
        settle();
        const QLatin1String first(formInfo(target)->first);
        expect(focusName() == first,
               QStringLiteral("%1 opened with the focus on '%2', expected %3").arg(target, focusName(), first));
    }

    void originalSize()
    {
        // What the command does to a maximised or minimised main window is
        // the program's own choice; from the normal state it is the designed
        // outer size.
        MainWindow *main = m_p.main;
        const bool normal = !main->isMaximized() && !main->isMinimized();
        menuAction(main, "origsize")->trigger();
        if (!normal)
            return;
        // The frame size settles once the window system has answered.
        const QSize outer(332, 300);
        for (int i = 0; i < 50 && main->frameGeometry().size() != outer; ++i)
            QTest::qWait(2);
        const QSize now = main->frameGeometry().size();
        expect(now == outer,
               QStringLiteral("outer size %1x%2 after View Original Size").arg(now.width()).arg(now.height()));
    }

    void about()
    {
        const int closeHow = pick(4);
        begin("About", QStringLiteral("About, closed by %1").arg(closeHow));
        ++m_windows;
        const bool ok = driveModal(
            [this] { menuAction(m_p.main, "about")->trigger(); },
            [&](QWidget *box) {
                expect(box->windowTitle() == QLatin1String("About MyApp"), "About box titled " + box->windowTitle());
                auto *title = box->findChild<QLabel *>(QStringLiteral("lblTitle"));
                expect(title && title->text() == QLatin1String("Tolvaren   v1.10"), "About box title label");
                auto *ok = box->findChild<QPushButton *>(QStringLiteral("cmdOK"));
                if (!expect(ok, "About box without OK"))
                    return;
                switch (closeHow) {
                case 0: QTest::mouseClick(ok, Qt::LeftButton); break;
                case 1: QTest::keyClick(ok, Qt::Key_Return); break;
                case 2: QTest::keyClick(box, Qt::Key_Escape); break;
                default: box->close(); break;
                }
                expect(!box->isVisible(), "About box still open");
            },
            15000);
        expect(ok, "About box did not open, or did not close");
        expect(!Forms::instance().isLoaded(QStringLiteral("frmAbout")), "About box still loaded");
    }

    void prefix()
    {
        QList<PrefixStep> steps;
        for (int i = 0, n = 1 + pick(8); i < n; ++i) {
            PrefixStep s;
            const int r = pick(100);
            if (r < 30) {
                s.act = PrefixStep::Type;
                s.text = number();
                s.how = s.text.size() > 300 ? 2 : pick(3);
            } else if (r < 58) {
                s.act = PrefixStep::Select;
                s.index = pick(12);
            } else if (r < 63) {
                s.act = PrefixStep::Deselect;
            } else if (r < 96) {
                s.how = pick(3); // Go
            } else {
                s.act = PrefixStep::Poke;
            }
            steps << s;
        }
        const int closeHow = pick(2); // 0: the Close button, 1: the close box
        QStringList parts;
        for (const PrefixStep &s : steps)
            parts << s.describe();
        begin("Prefix Converter", QStringLiteral("Prefix Converter: %1; closed by %2")
                                      .arg(parts.join(QStringLiteral(", ")), QString::number(closeHow)));
        ++m_windows;
        const bool ok = driveModal([this] { menuAction(m_p.main, "prefconv")->trigger(); },
                                   [&](QWidget *dialog) { drivePrefix(dialog, steps, closeHow); }, 15000);
        expect(ok, "prefix converter did not open, or did not close");
        expect(!Forms::instance().isLoaded(QStringLiteral("Prefix")), "prefix converter still loaded");
    }

    void drivePrefix(QWidget *dialog, const QList<PrefixStep> &steps, int closeHow)
    {
        if (!expect(dialog->objectName() == QLatin1String("Prefix"),
                    "modal window " + dialog->objectName() + " instead of the prefix converter"))
            return;
        expect(dialog->windowTitle() == QLatin1String("Measurment Prefix"),
               "prefix converter titled " + dialog->windowTitle());
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("Prefixlst"));
        auto *input = dialog->findChild<QLineEdit *>(QStringLiteral("prefintxt"));
        auto *output = dialog->findChild<QLineEdit *>(QStringLiteral("prefouttxt"));
        auto *caption = dialog->findChild<QLabel *>(QStringLiteral("prefpreflbl"));
        auto *go = dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        auto *close = dialog->findChild<QAbstractButton *>(QStringLiteral("Command2"));
        if (!expect(list && input && output && caption && go && close, "prefix converter controls"))
            return;
        QStringList items, names;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        for (const Prefix &p : prefixTable())
            names << qstr(p.name);
        expect(items == names, "prefix list holds " + items.join(','));

        m_model.openPrefix();
        const auto check = [&] {
            QApplication::processEvents();
            const QList<QListWidgetItem *> selected = list->selectedItems();
            const QStringList got{input->text(), output->text(), caption->text(),
                                  QString::number(selected.isEmpty() ? -1 : list->row(selected.front()))};
            const QStringList want{m_model.prefixInput, m_model.prefixOutput, m_model.prefixCaption,
                                   QString::number(m_model.prefixSelected)};
            expect(got == want, QStringLiteral("prefix converter shows %1 (input | output | caption | item), "
                                               "expected %2")
                                    .arg(shown(got), shown(want)));
            checkBoxes();
        };
        check();
        for (const PrefixStep &s : steps) {
            if (!m_failure.isEmpty())
                break;
            switch (s.act) {
            case PrefixStep::Type: m_model.prefixInput = typeText(input, s.text, s.how, m_model.prefixInput); break;
            case PrefixStep::Select:
            case PrefixStep::Deselect: {
                const bool select = s.act == PrefixStep::Select;
                const int row = select ? s.index : m_model.prefixSelected;
                if (row < 0)
                    break;
                QListWidgetItem *item = list->item(row);
                list->scrollToItem(item);
                // A control-click on the selected item takes the selection away.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, select ? Qt::NoModifier : Qt::ControlModifier,
                                  list->visualItemRect(item).center());
                m_model.prefixSelected = select ? row : -1;
                break;
            }
            case PrefixStep::Go:
                press(go, s.how);
                m_model.go();
                break;
            case PrefixStep::Poke: // the windows behind a modal one take no input
                if (auto *newButton = control<QAbstractButton>("Command2"))
                    windowClick(newButton);
                break;
            }
            check();
        }
        if (closeHow == 0)
            QTest::mouseClick(close, Qt::LeftButton);
        else
            dialog->close();
    }

    // Message boxes shown for real, read and closed from a timer, or (off)
    // recorded by the hook.
    void realBoxes(bool on)
    {
        m_boxCloser.reset();
        if (!on) {
            setMsgBoxHook([this](const MsgBoxCall &c) { m_p.boxes << c; });
            return;
        }
        setMsgBoxHook({});
        m_boxCloser = std::make_unique<QTimer>();
        m_boxCloser->setInterval(0);
        QObject::connect(m_boxCloser.get(), &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            static const QHash<int, int> flags{
                {QMessageBox::Critical, 16}, {QMessageBox::Warning, 48}, {QMessageBox::Information, 64}};
            m_p.boxes << MsgBoxCall{box->text(), flags.value(box->icon()), box->windowTitle()};
            ++m_realBoxCount;
            expect(box->buttons().size() == 1, "a message box with more than an OK button");
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                QTest::mouseClick(ok, Qt::LeftButton);
            if (box->isVisible())
                box->close();
        });
        m_boxCloser->start();
    }

    // ----- checking -----

    bool expect(bool ok, const QString &what)
    {
        if (!ok && m_failure.isEmpty())
            m_failure = what;
        return ok;
    }

    void checkBoxes()
    {
        m_boxCount += m_p.boxes.size();
        const QStringList seen = boxTexts(m_p.boxes), due = boxTexts(m_model.boxes);
        expect(seen == due, QStringLiteral("message boxes [%1], expected [%2]")
                                .arg(seen.join(QStringLiteral(", ")), due.join(QStringLiteral(", "))));
        m_p.boxes.clear();
        m_model.boxes.clear();
    }

    void checkAll()
    {
        checkBoxes();
        const QStringList loaded = Forms::instance().loadedNames();
        expect(loaded == QStringList{m_model.current},
               QStringLiteral("loaded forms %1, expected only %2").arg(loaded.join(','), m_model.current));

        // Forms that were left or closed are gone, not just hidden.
        QStringList forms;
        int dialogs = 0, boxes = 0;
        for (QWidget *w : QApplication::allWidgets()) {
            if (qobject_cast<FormWidget *>(w))
                forms << w->objectName();
            dialogs += qobject_cast<DialogForm *>(w) != nullptr;
            boxes += qobject_cast<QMessageBox *>(w) != nullptr;
        }
        expect(forms == QStringList{m_model.current},
               QStringLiteral("form widgets alive: %1, expected only %2").arg(forms.join(','), m_model.current));
        expect(dialogs == 0 && boxes == 0,
               QStringLiteral("%1 dialogs and %2 message boxes left alive").arg(dialogs).arg(boxes));
        const QList<QMdiSubWindow *> frames = m_p.main->mdiArea()->subWindowList();
        expect(frames.size() == 1 && frames.front()->isMaximized(),
               QStringLiteral("%1 child windows in the main window, expected one maximised").arg(frames.size()));
        expect(m_p.main->windowTitle() == QLatin1String("Tolvaren v1.10"), "main window title");

        const auto pair = [](const ConversionMemory &m) {
            return QStringLiteral("%1 / %2").arg(m.InputValue, 0, 'g', 17).arg(m.ResultValue, 0, 'g', 17);
        };
        expect(model::sameMemory(conversionMemory(), m_model.memory),
               "memory " + pair(conversionMemory()) + ", expected " + pair(m_model.memory));

        if (!m_model.form())
            return;
        ConverterForm *c = converter();
        if (!expect(c, "no converter form"))
            return;
        const QStringList texts{m_model.input, m_model.from, m_model.to, m_model.output};
        expect(fourTexts(c) == texts, QStringLiteral("texts %1, expected %2").arg(shown(fourTexts(c)), shown(texts)));
    }

    QString summary(qint64 ms) const
    {
        const auto listed = [](const std::map<QString, int> &counts) {
            QStringList parts;
            for (const auto &[what, count] : counts)
                parts << QStringLiteral("%1 %2").arg(what).arg(count);
            return parts.join(QStringLiteral(", "));
        };
        return QStringLiteral("%1 actions in %2 s\n  actions: %3\n  outcomes: %4\n  %5 message boxes, %6 of them "
                              "real; %7 windows opened or closed")
            .arg(m_step)
            .arg(ms / 1000.0, 0, 'f', 1)
            .arg(listed(m_counts), listed(m_model.outcomes))
            .arg(m_boxCount)
            .arg(m_realBoxCount)
            .arg(m_windows);
    }

    std::mt19937_64 m_rng;
    bool m_trace;
    Program m_p; // its `boxes` are the message boxes seen since the last check
    Model m_model;
    bool m_real = false; // this step's message boxes come up for real
    std::unique_ptr<QTimer> m_boxCloser;
    std::deque<QString> m_log;
    QString m_failure;
    std::map<QString, int> m_counts;
    int m_step = 0, m_boxCount = 0, m_realBoxCount = 0, m_windows = 0;
};

// The offscreen platform says, at every modal window, what it cannot do
// (raise, grab the keyboard); thousands of those would bury the walk's own
// report.
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
        qInfo("walk: seed %llu, %d steps (TOLVAREN_WALK_SEED=%llu replays it)", seed, steps, seed);
        const QString failure = Walker(seed, qEnvironmentVariableIntValue("TOLVAREN_WALK_TRACE") != 0).walk(steps);
        if (!failure.isEmpty())
            qInfo("walk: seed %llu broke at %s", seed, qPrintable(failure));
        QVERIFY2(failure.isEmpty(), "the walk broke; see above");
    }
};

QTEST_MAIN(WalkTest)
#include "walk_test.moc"

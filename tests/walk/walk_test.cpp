// A long random walk through the real windows: typing anything into the
// boxes, picking and typing units, Convert, New, every category button, the
// menu commands, the prefix converter and the About box. After every action
// the texts on screen, the message boxes and the conversion memory are
// compared with a small model of what the program must show, and the forms
// that were left must really be gone.
//
// TOLVAREN_WALK_SEED picks the walk (the same seed replays the same walk),
// TOLVAREN_WALK_STEPS its length, TOLVAREN_WALK_TRACE=1 prints every action.

#include "harness.h"

#include "categories/category.h"
#include "convert/memory.h"
#include "forms/dialogform.h"
#include "forms/formwidget.h"
#include "prefix/prefixtable.h"
#include "runtime/msgbox.h"
#include "runtime/numbertext.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <random>

using namespace tolvaren;

namespace {

// ---------------------------------------------------------------------------
// The model: what the program must show.

struct FormInfo {
    const char *name;
    CategoryId id;
    const char *input, *from, *to, *output;
    const char *incomplete;
    const char *opens[5]; // forms opened by Command3 .. Command7
    const char *first;    // the control that has the focus when the form opens
};

// clang-format off
const FormInfo kForms[] = {
    {"Distance", CategoryId::Distance, "distintxt", "Combo1", "Combo2", "distouttxt", "Incomplete data",
     {"mass", "Temp", "Volume", "Time", "Speed"}, "distintxt"},
    {"mass", CategoryId::Mass, "massintxt", "Massc1", "Massc2", "massouttxt", "Incomplete Data",
     {"Distance", "Temp", "Volume", "Time", "Speed"}, "Massc1"},
    {"Temp", CategoryId::Temperature, "tempintxt", "Tempc1", "Tempc2", "tempouttxt", "Incomplete Data",
     {"mass", "Distance", "Volume", "Time", "Speed"}, "Tempc1"},
    {"Volume", CategoryId::Volume, "volintxt", "Volc1", "Volc2", "volouttxt", "Incomplete Data",
     {"mass", "Temp", "Distance", "Time", "Speed"}, "Volc1"},
    {"Time", CategoryId::Time, "timeintxt", "Timec1", "Timec2", "timeouttxt", "Incomplete Data",
     {"mass", "Temp", "Volume", "Distance", "Speed"}, "timeintxt"},
    {"Speed", CategoryId::Speed, "spdintxt", "Spdc1", "Spdc2", "spdouttxt", "Incomplete data",
     {"Distance", "mass", "Temp", "Volume", "Time"}, "spdintxt"},
};
// clang-format on
// The welcome form's Command1 .. Command6.
const char *const kSelectionOpens[6] = {"Distance", "mass", "Temp", "Volume", "Time", "Speed"};

// Which form a category button's caption names.
QString formNamed(const QString &caption)
{
    static const std::map<QString, QString> forms{
        {"Distance", "Distance"}, {"Mass", "mass"},     {"Temp", "Temp"}, {"Temperature", "Temp"},
        {"Vol", "Volume"},        {"Volume", "Volume"}, {"Time", "Time"}, {"Speed", "Speed"},
    };
    const auto it = forms.find(caption);
    return it == forms.end() ? QString() : it->second;
}

const FormInfo *formInfo(const QString &name)
{
    for (const FormInfo &f : kForms)
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

const QString kFromStart = QStringLiteral("This unit...");
const QString kToStart = QStringLiteral("...converted to");
const QString kOutStart = QStringLiteral("Answer displayed here");

const MsgBoxCall kSameUnitBox{QStringLiteral("Use your common sense!!! n*1 = n*1 ;where n = any digit"), 48,
                              QStringLiteral("Warning: Your Common Sense is not in use")};
const MsgBoxCall kOverflowBox{QStringLiteral("Overflow"), 16, QStringLiteral("Tolvaren v1.10")};
const MsgBoxCall kHelpBox{QStringLiteral("Help Topics can be found in: tolvhelp.html in the same directory"), 64,
                          QStringLiteral("Help Topics")};
const MsgBoxCall kMissingBox{QStringLiteral("Input value and/or prefix"), 16, QStringLiteral("Value missing")};

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Model {
    QString current = QStringLiteral("Selection");
    QString input, from, to, output; // the open converter form's four texts
    double inputValue = 0.0, resultValue = 0.0;
    QList<MsgBoxCall> boxes; // boxes due since the last check
    // How each Convert and Go ended: result, incomplete or missing, same
    // unit, overflow.
    std::map<QString, int> outcomes;

    // The prefix converter while it is open.
    QString prefixInput, prefixOutput, prefixCaption;
    int prefixSelected = -1;

    const FormInfo *form() const { return formInfo(current); }

    void clearMemory() { inputValue = resultValue = 0.0; }

    void open(const QString &name)
    {
        current = name;
        input.clear();
        from = kFromStart;
        to = kToStart;
        output = kOutStart;
        clearMemory();
    }

    void newForm()
    {
        clearMemory();
        input.clear();
        output = kOutStart;
        from = kFromStart;
        to = kToStart;
    }

    void convert()
    {
        const FormInfo &f = *form();
        if (input.isEmpty() || to.isEmpty() || from == kFromStart || from.isEmpty() || to == kToStart) {
            boxes << MsgBoxCall{QString::fromLatin1(f.incomplete), 16, QStringLiteral("Error")};
            ++outcomes[QStringLiteral("Convert incomplete")];
            return;
        }
        if (from == to) {
            boxes << kSameUnitBox;
            ++outcomes[QStringLiteral("Convert same unit")];
            return;
        }
        clearMemory();
        const ValResult read = Val(input.toStdString());
        if (read.overflow) {
            boxes << kOverflowBox;
            ++outcomes[QStringLiteral("Convert overflow")];
            return;
        }
        inputValue = read.value;
        const std::string fromText = from.toStdString(), toText = to.toStdString();
        for (const PairRule &rule : category(f.id).rules) {
            if (rule.to != toText || rule.from != fromText)
                continue;
            double v = inputValue;
            for (std::size_t k = 0; k < rule.steps.size(); ++k) {
                const Step s = rule.steps[k];
                switch (s.op) {
                case Step::Op::Multiply: v = v * s.constant; break;
                case Step::Op::Divide: v = v / s.constant; break;
                case Step::Op::Add: v = v + s.constant; break;
                case Step::Op::Subtract: v = v - s.constant; break;
                }
                if (k + 1 == rule.steps.size())
                    resultValue = v;
                if (!std::isfinite(v)) {
                    boxes << kOverflowBox;
                    ++outcomes[QStringLiteral("Convert overflow")];
                    return;
                }
            }
            ++outcomes[QStringLiteral("Convert by a rule")];
        }
        output = qstr(Str(resultValue));
        ++outcomes[QStringLiteral("Convert result")];
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
        const QString prefix = prefixSelected < 0 ? QString() : qstr(prefixTable()[prefixSelected].name);
        if (prefixInput.isEmpty() || prefix.isEmpty()) {
            boxes << kMissingBox;
            ++outcomes[QStringLiteral("Go missing")];
            return;
        }
        const ValResult read = Val(prefixInput.toStdString());
        if (read.overflow) {
            boxes << kOverflowBox;
            ++outcomes[QStringLiteral("Go overflow")];
            return;
        }
        double scaled = 0.0;
        for (const Prefix &p : prefixTable()) {
            if (qstr(p.name) != prefix)
                continue;
            scaled = read.value * p.multiplier;
            if (!std::isfinite(scaled)) {
                boxes << kOverflowBox;
                ++outcomes[QStringLiteral("Go overflow")];
                return;
            }
            prefixCaption = qstr(p.caption);
        }
        prefixOutput = qstr(Str(scaled));
        ++outcomes[QStringLiteral("Go result")];
    }
};

// ---------------------------------------------------------------------------
// Actions. Each is plain data, so that a walk can be printed and a sequence
// that once broke can be kept and replayed as it was.

enum class Act {
    Conversion,  // a whole conversion: text typed, items index and how picked, Convert
    TypeInput,   // text, how: 0 keys replacing, 1 keys appending, 2 paste
    SetFrom,     // index >= 0: picked from the drop-down; else text typed (how as above)
    SetTo,       //
    EnterInList, // index 0 from-list, 1 to-list, 2 input box: Enter pressed there
    Keys,        // index 0: Escape, 1: Ctrl+F4, 2: Ctrl+W, pressed on the input box
    Convert,     // how: 0 mouse, 1 space bar, 2 a click through the window system
    New,         //
    Switch,      // index: the category button (0..4 on a converter, 0..5 on the welcome form)
    RefreshMemory,
    OriginalSize,
    Resize, // index: width, how: height
    HelpTopics,
    Prefix,      // steps, closeHow: 0 Close button, 1 close box
    About,       // closeHow: 0 OK, 1 Enter, 2 Escape, 3 close box
    WindowState, // index 0: maximise, 1: minimise, 2: restore the main window
};

enum class PrefixAct { Type, Select, Deselect, Go, Poke };

struct PrefixStep {
    PrefixAct act;
    QString text;
    int index = 0;
    int how = 0;
};

struct Action {
    Act act;
    QString text;
    int index = 0;
    int how = 0;
    bool realBoxes = false; // message boxes shown for real and closed from a timer
    QList<PrefixStep> steps;
    int closeHow = 0;
};

QString shown(const QString &s)
{
    QString out = QStringLiteral("\"");
    for (QChar c : s.left(80)) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    if (s.size() > 80)
        out += QStringLiteral("...(%1 chars)").arg(s.size());
    return out + '"';
}

QString describe(const Action &a)
{
    static const QLatin1String typing[] = {QLatin1String("keys"), QLatin1String("keys appended"),
                                           QLatin1String("pasted")};
    QString d;
    switch (a.act) {
    case Act::Conversion:
        d = QStringLiteral("convert %1 from item %2 to item %3")
                .arg(shown(a.text), QString::number(a.index), QString::number(a.how));
        break;
    case Act::TypeInput: d = QStringLiteral("input %1 %2").arg(typing[a.how], shown(a.text)); break;
    case Act::SetFrom:
    case Act::SetTo: {
        const QLatin1String which(a.act == Act::SetFrom ? "from" : "to");
        d = a.index >= 0 ? QStringLiteral("%1 picked item %2").arg(which).arg(a.index)
                         : QStringLiteral("%1 %2 %3").arg(which, typing[a.how], shown(a.text));
        break;
    }
    case Act::EnterInList: {
        static const QLatin1String places[] = {QLatin1String("from-list"), QLatin1String("to-list"),
                                               QLatin1String("input box")};
        d = QStringLiteral("Enter in the %1").arg(places[a.index]);
        break;
    }
    case Act::Keys: {
        static const QLatin1String keys[] = {QLatin1String("Escape"), QLatin1String("Ctrl+F4"),
                                             QLatin1String("Ctrl+W")};
        d = QStringLiteral("%1 on the form").arg(keys[a.index]);
        break;
    }
    case Act::WindowState: {
        static const QLatin1String states[] = {QLatin1String("maximise"), QLatin1String("minimise"),
                                               QLatin1String("restore")};
        d = QStringLiteral("%1 the main window").arg(states[a.index]);
        break;
    }
    case Act::Convert: d = QStringLiteral("Convert"); break;
    case Act::New: d = QStringLiteral("New"); break;
    case Act::Switch: d = QStringLiteral("category button %1").arg(a.index); break;
    case Act::RefreshMemory: d = QStringLiteral("Refresh Memory"); break;
    case Act::OriginalSize: d = QStringLiteral("View Original Size"); break;
    case Act::Resize: d = QStringLiteral("resize main window to %1x%2").arg(a.index).arg(a.how); break;
    case Act::HelpTopics: d = QStringLiteral("Help Topics"); break;
    case Act::About: d = QStringLiteral("About, closed by %1").arg(a.closeHow); break;
    case Act::Prefix: {
        QStringList parts;
        for (const PrefixStep &s : a.steps) {
            switch (s.act) {
            case PrefixAct::Type: parts << QStringLiteral("type %1 %2").arg(typing[s.how], shown(s.text)); break;
            case PrefixAct::Select: parts << QStringLiteral("select %1").arg(s.index); break;
            case PrefixAct::Deselect: parts << QStringLiteral("deselect"); break;
            case PrefixAct::Go: parts << QStringLiteral("Go %1").arg(s.how); break;
            case PrefixAct::Poke: parts << QStringLiteral("click New behind it"); break;
            }
        }
        d = QStringLiteral("Prefix Converter: %1; closed by %2")
                .arg(parts.join(QStringLiteral(", ")), QString::number(a.closeHow));
        break;
    }
    }
    static const QLatin1String pressing[] = {QLatin1String(" (mouse)"), QLatin1String(" (space bar)"),
                                             QLatin1String(" (click through the window system)")};
    if (a.act == Act::Convert || a.act == Act::New || a.act == Act::Switch)
        d += pressing[a.how];
    if (a.realBoxes)
        d += QStringLiteral(" [real message boxes]");
    return d;
}

// ---------------------------------------------------------------------------
// Texts a user might type.

class Texts {
  public:
    explicit Texts(std::mt19937_64 &rng) : m_rng(rng) {}

    int pick(int n) { return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_rng)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }

    QString number()
    {
        if (chance(0.005)) {
            // Long texts: the reading must stay linear.
            static const char *const fill[] = {"9", "0", " ", "1 "};
            const QString piece = QLatin1String(fill[pick(4)]);
            return QStringLiteral("1") + piece.repeated(5000 + pick(10000)) + QStringLiteral("5");
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
        case 2: {
            static const char *const letters[] = {"E", "e", "D", "d"};
            return QStringLiteral("%1.%2%3%4%5")
                .arg(1 + pick(9))
                .arg(pick(1000))
                .arg(QLatin1String(letters[pick(4)]))
                .arg(QLatin1String(chance(0.5) ? "-" : (chance(0.5) ? "+" : "")))
                .arg(pick(420));
        }
        case 3:
        case 4: return QString::fromUtf8(fixed[pick(static_cast<int>(std::size(fixed)))]);
        default: return junk();
        }
    }

    QString junk()
    {
        static const QString pieces[] = {
            QStringLiteral("a"),      QStringLiteral("Z"),      QStringLiteral(" "),      QStringLiteral("."),
            QStringLiteral("-"),      QStringLiteral("+"),      QStringLiteral("&"),      QStringLiteral("E"),
            QStringLiteral("7"),      QStringLiteral("0"),      QStringLiteral("%"),      QStringLiteral("/"),
            QStringLiteral("@"),      QStringLiteral("\u00e9"), QStringLiteral("\u00bd"), QStringLiteral("\u0661"),
            QStringLiteral("\uff15"), QStringLiteral("\u2212"), QStringLiteral("\u00a0"), QStringLiteral("\U0001F600"),
            QStringLiteral("\u041c"), QStringLiteral("\u0301"), QStringLiteral("\u200b"), QStringLiteral("\u4e2d"),
        };
        QString s;
        const int n = pick(12);
        for (int i = 0; i < n; ++i)
            s += pieces[pick(static_cast<int>(std::size(pieces)))];
        if (chance(0.05))
            s += QString(100 + pick(300), QChar(u'0' + pick(10)));
        return s;
    }

    // A unit text typed into a list of form `f`.
    QString unit(const FormInfo &f)
    {
        const auto units = category(f.id).units;
        const QString own = qstr(units[pick(static_cast<int>(units.size()))]);
        switch (pick(10)) {
        case 0:
        case 1:
        case 2: return own;
        case 3: return own.toLower();
        case 4: return own.toUpper();
        case 5: return chance(0.5) ? own + ' ' : ' ' + own;
        case 6: return chance(0.5) ? kFromStart : kToStart;
        case 7: {
            const FormInfo &other = kForms[pick(6)];
            const auto others = category(other.id).units;
            return qstr(others[pick(static_cast<int>(others.size()))]);
        }
        case 8: return chance(0.5) ? QString() : QStringLiteral("\u041ceter"); // empty, or a look-alike letter
        default: return junk();
        }
    }

  private:
    std::mt19937_64 &m_rng;
};

// ---------------------------------------------------------------------------
// The walk.

class Walker {
  public:
    explicit Walker(quint64 seed) : m_rng(seed), m_texts(m_rng) {}

    bool start()
    {
        setMsgBoxHook([this](const MsgBoxCall &c) { m_seen << c; });
        m_main = walk::startProgram();
        return m_main != nullptr;
    }

    void stop()
    {
        walk::stopProgram(m_main);
        setMsgBoxHook({});
    }

    QString failure() const
    {
        if (m_failure.isEmpty())
            return {};
        QString text = QStringLiteral("step %1: %2\nlast actions:\n").arg(m_step).arg(m_failure);
        for (const QString &line : m_log)
            text += QStringLiteral("  ") + line + '\n';
        return text;
    }

    // One random action, performed and checked.
    bool randomStep()
    {
        ++m_step;
        return perform(randomAction());
    }

    bool perform(const Action &a)
    {
        const QString line = QStringLiteral("%1 [%2] %3").arg(m_step).arg(m_model.current, describe(a));
        m_log.push_back(line);
        if (m_log.size() > 25)
            m_log.pop_front();
        if (m_trace)
            qInfo("%s", qPrintable(line));
        ++m_counts[static_cast<int>(a.act)];

        if (a.realBoxes)
            realBoxes(true);
        switch (a.act) {
        case Act::Conversion: {
            typeInput(Action{Act::TypeInput, a.text, 0, a.text.size() > 300 ? 2 : 0});
            setUnit(Action{Act::SetFrom, {}, a.index});
            setUnit(Action{Act::SetTo, {}, a.how});
            press(control<QAbstractButton>(QStringLiteral("Command1")), 0);
            m_model.convert();
            break;
        }
        case Act::TypeInput: typeInput(a); break;
        case Act::SetFrom:
        case Act::SetTo: setUnit(a); break;
        case Act::EnterInList: enterInList(a); break;
        case Act::Keys: {
            // None of these closes a child form: nothing would bring it back.
            QWidget *target = control<QLineEdit>(QString::fromLatin1(m_model.form()->input));
            if (!expect(target, QStringLiteral("no input box")))
                break;
            if (a.index == 0)
                QTest::keyClick(target, Qt::Key_Escape);
            else
                QTest::keyClick(target, a.index == 1 ? Qt::Key_F4 : Qt::Key_W, Qt::ControlModifier);
            break;
        }
        case Act::WindowState:
            if (a.index == 0)
                m_main->showMaximized();
            else if (a.index == 1)
                m_main->showMinimized();
            else
                m_main->showNormal();
            break;
        case Act::Convert:
            press(control<QAbstractButton>(QStringLiteral("Command1")), a.how);
            m_model.convert();
            break;
        case Act::New:
            press(control<QAbstractButton>(QStringLiteral("Command2")), a.how);
            m_model.newForm();
            break;
        case Act::Switch: switchCategory(a); break;
        case Act::RefreshMemory:
            walk::menuAction(m_main, "refmem")->trigger();
            m_model.clearMemory();
            break;
        case Act::OriginalSize: originalSize(); break;
        case Act::Resize: m_main->resize(a.index, a.how); break;
        case Act::HelpTopics:
            walk::menuAction(m_main, "hlptop")->trigger();
            m_model.boxes << kHelpBox;
            break;
        case Act::Prefix: prefix(a); break;
        case Act::About: about(a); break;
        }
        walk::settle();
        if (a.realBoxes)
            realBoxes(false);
        checkAll();
        return m_failure.isEmpty();
    }

    // Exit, from inside a running event loop: the loop must end.
    bool exitEndsTheLoop()
    {
        QTimer::singleShot(0, m_main, [this] { walk::menuAction(m_main, "exx")->trigger(); });
        bool timedOut = false;
        QTimer::singleShot(15000, qApp, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        const int rc = QApplication::exec();
        return expect(rc == 0 && !timedOut, QStringLiteral("Exit did not end the program's event loop"));
    }

    QString summary(qint64 ms) const
    {
        static const char *const names[] = {"whole conversion",
                                            "type input",
                                            "from unit",
                                            "to unit",
                                            "Enter",
                                            "keys",
                                            "Convert",
                                            "New",
                                            "category",
                                            "Refresh Memory",
                                            "Original Size",
                                            "resize",
                                            "Help Topics",
                                            "Prefix Converter",
                                            "About",
                                            "window state"};
        QStringList parts;
        for (const auto &[act, count] : m_counts)
            parts << QStringLiteral("%1 %2").arg(QLatin1String(names[act])).arg(count);
        QStringList outcomes;
        for (const auto &[what, count] : m_model.outcomes)
            outcomes << QStringLiteral("%1 %2").arg(what).arg(count);
        return QStringLiteral("%1 actions in %2 s\n  actions: %3\n  outcomes: %4\n  %5 message boxes, %6 of them "
                              "real; %7 windows opened or closed")
            .arg(m_step)
            .arg(ms / 1000.0, 0, 'f', 1)
            .arg(parts.join(QStringLiteral(", ")), outcomes.join(QStringLiteral(", ")))
            .arg(m_boxCount)
            .arg(m_realBoxCount)
            .arg(m_windows);
    }

    void setTrace(bool on) { m_trace = on; }
    int step() const { return m_step; }

  private:
    // ----- choosing an action -----

    Action randomAction()
    {
        Texts &t = m_texts;
        Action a{Act::Convert};
        a.realBoxes = t.chance(0.03);
        const FormInfo *f = m_model.form();
        const int roll = t.pick(100);
        if (!f) {
            // The welcome form: mostly leave it, sometimes the menu first.
            if (roll < 70) {
                a.act = Act::Switch;
                a.index = t.pick(6);
                a.how = t.pick(3);
            } else {
                a = randomMenuAction(roll % 6);
            }
            return a;
        }
        if (roll < 12) {
            const int units = static_cast<int>(category(f->id).units.size());
            a.act = Act::Conversion;
            a.text = t.number();
            a.index = t.pick(units);
            a.how = t.chance(0.9) ? (a.index + 1 + t.pick(units - 1)) % units : a.index;
        } else if (roll < 28) {
            a.act = Act::TypeInput;
            a.text = t.number();
            a.how = t.pick(3);
            if (a.how == 1 && m_model.input.size() > 200)
                a.how = 0;
            if (a.text.size() > 300) // a long text arrives by pasting
                a.how = 2;
        } else if (roll < 46) {
            a.act = roll < 37 ? Act::SetFrom : Act::SetTo;
            const int units = static_cast<int>(category(f->id).units.size());
            if (t.chance(0.55)) {
                a.index = t.pick(units);
            } else {
                a.index = -1;
                a.text = t.unit(*f);
                a.how = t.pick(3);
                const QString &now = a.act == Act::SetFrom ? m_model.from : m_model.to;
                if (a.how == 1 && now.size() > 100)
                    a.how = 0;
            }
        } else if (roll < 48) {
            a.act = t.chance(0.7) ? Act::EnterInList : Act::Keys;
            a.index = t.pick(3);
        } else if (roll < 68) {
            a.act = Act::Convert;
            a.how = t.pick(3);
        } else if (roll < 72) {
            a.act = Act::New;
            a.how = t.pick(3);
        } else if (roll < 79) {
            a.act = Act::Switch;
            a.index = t.pick(5);
            a.how = t.pick(3);
        } else {
            a = randomMenuAction(t.pick(6));
        }
        return a;
    }

    Action randomMenuAction(int which)
    {
        Texts &t = m_texts;
        Action a{Act::RefreshMemory};
        a.realBoxes = t.chance(0.03);
        switch (which) {
        case 0: a.act = Act::RefreshMemory; break;
        case 1: {
            const int r = t.pick(6);
            a.act = r < 3 ? Act::OriginalSize : r < 5 ? Act::Resize : Act::WindowState;
            a.index = t.pick(3);
            break;
        }
        case 2: a.act = Act::HelpTopics; break;
        case 3:
        case 4: a.act = Act::Prefix; break;
        default: a.act = Act::About; break;
        }
        if (a.act == Act::Resize) {
            a.index = 180 + t.pick(500);
            a.how = 150 + t.pick(450);
        }
        if (a.act == Act::About)
            a.closeHow = t.pick(4);
        if (a.act == Act::Prefix) {
            const int n = 1 + t.pick(8);
            for (int i = 0; i < n; ++i) {
                PrefixStep s{PrefixAct::Go};
                const int r = t.pick(100);
                if (r < 30) {
                    s.act = PrefixAct::Type;
                    s.text = t.number();
                    s.how = s.text.size() > 300 ? 2 : t.pick(3);
                } else if (r < 58) {
                    s.act = PrefixAct::Select;
                    s.index = t.pick(12);
                } else if (r < 63) {
                    s.act = PrefixAct::Deselect;
                } else if (r < 96) {
                    s.act = PrefixAct::Go;
                    s.how = t.pick(3);
                } else {
                    s.act = PrefixAct::Poke;
                }
                a.steps << s;
            }
            a.closeHow = t.pick(2);
        }
        return a;
    }

    // ----- performing -----

    template <typename T> T *control(const QString &name) const
    {
        QWidget *form = Forms::instance().loadedForm(m_model.current);
        return form ? form->findChild<T *>(name) : nullptr;
    }

    void press(QAbstractButton *button, int how)
    {
        if (!expect(button, QStringLiteral("a button is missing")))
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

    // Types or pastes `text` into `edit`; returns what the box holds then.
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

    void typeInput(const Action &a)
    {
        auto *edit = control<QLineEdit>(QString::fromLatin1(m_model.form()->input));
        if (!expect(edit, QStringLiteral("no input box")))
            return;
        m_model.input = typeText(edit, a.text, a.how, m_model.input);
    }

    void setUnit(const Action &a)
    {
        const FormInfo &f = *m_model.form();
        const bool isFrom = a.act == Act::SetFrom;
        auto *list = control<QComboBox>(QString::fromLatin1(isFrom ? f.from : f.to));
        if (!expect(list, QStringLiteral("no unit list")))
            return;
        QString &text = isFrom ? m_model.from : m_model.to;
        if (a.index < 0) {
            text = typeText(list->lineEdit(), a.text, a.how, text);
            return;
        }
        // Open the drop-down and click the item, as a user does.
        list->showPopup();
        QAbstractItemView *view = list->view();
        if (!expect(view->isVisible(), QStringLiteral("the drop-down list did not open")))
            return;
        const QModelIndex item = list->model()->index(a.index, list->modelColumn());
        view->scrollTo(item);
        const QPoint at = view->visualRect(item).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        expect(!view->isVisible(), QStringLiteral("the drop-down list stayed open after a click on an item"));
        if (view->isVisible())
            list->hidePopup();
        text = qstr(category(f.id).units[a.index]);
    }

    void enterInList(const Action &a)
    {
        const FormInfo &f = *m_model.form();
        QLineEdit *edit = nullptr;
        if (a.index == 2) {
            edit = control<QLineEdit>(QString::fromLatin1(f.input));
        } else if (auto *list = control<QComboBox>(QString::fromLatin1(a.index ? f.to : f.from))) {
            edit = list->lineEdit();
        }
        if (!expect(edit, QStringLiteral("no edit field")))
            return;
        edit->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    void switchCategory(const Action &a)
    {
        const FormInfo *f = m_model.form();
        const QString button = QStringLiteral("Command%1").arg(a.index + (f ? 3 : 1));
        const QString target = QString::fromLatin1(f ? f->opens[a.index] : kSelectionOpens[a.index]);
        auto *b = control<QAbstractButton>(button);
        if (!expect(b, QStringLiteral("no category button ") + button))
            return;
        expect(formNamed(b->text()) == target,
               QStringLiteral("button %1 reads %2 but must open %3").arg(button, b->text(), target));
        press(b, a.how);
        m_model.open(target);
        ++m_windows;
        walk::settle();
        QWidget *focus = QApplication::focusWidget();
        if (focus && qobject_cast<QComboBox *>(focus->parentWidget()))
            focus = focus->parentWidget();
        const QLatin1String first(formInfo(target)->first);
        expect(focus && focus->objectName() == first,
               QStringLiteral("%1 opened with the focus on %2, expected %3")
                   .arg(target, focus ? focus->objectName() : QStringLiteral("nothing"), first));
    }

    void originalSize()
    {
        // What the command does to a maximised or minimised main window is
        // the program's own choice; from the normal state it is the designed
        // outer size.
        const bool normal = !m_main->isMaximized() && !m_main->isMinimized();
        walk::menuAction(m_main, "origsize")->trigger();
        if (!normal)
            return;
        // The frame size settles once the window system has answered.
        const QSize outer(332, 300);
        for (int i = 0; i < 50 && m_main->frameGeometry().size() != outer; ++i)
            QTest::qWait(2);
        expect(m_main->frameGeometry().size() == outer, QStringLiteral("outer size %1x%2 after View Original Size")
                                                            .arg(m_main->frameGeometry().width())
                                                            .arg(m_main->frameGeometry().height()));
    }

    void about(const Action &a)
    {
        ++m_windows;
        const bool ok = walk::runModal([this] { walk::menuAction(m_main, "about")->trigger(); },
                                       [&](QWidget *box) {
                                           expect(box->windowTitle() == QLatin1String("About MyApp"),
                                                  QStringLiteral("About box titled ") + box->windowTitle());
                                           auto *title = box->findChild<QLabel *>(QStringLiteral("lblTitle"));
                                           expect(title && title->text() == QLatin1String("Tolvaren   v1.10"),
                                                  QStringLiteral("About box title label"));
                                           auto *okButton = box->findChild<QPushButton *>(QStringLiteral("cmdOK"));
                                           if (!expect(okButton, QStringLiteral("About box without OK")))
                                               return;
                                           switch (a.closeHow) {
                                           case 0: QTest::mouseClick(okButton, Qt::LeftButton); break;
                                           case 1: QTest::keyClick(okButton, Qt::Key_Return); break;
                                           case 2: QTest::keyClick(box, Qt::Key_Escape); break;
                                           default: box->close(); break;
                                           }
                                           expect(!box->isVisible(), QStringLiteral("About box still open"));
                                       });
        expect(ok, QStringLiteral("About box did not open, or did not close"));
        expect(!Forms::instance().isLoaded(QStringLiteral("frmAbout")), QStringLiteral("About box still loaded"));
    }

    void prefix(const Action &a)
    {
        ++m_windows;
        const bool ok = walk::runModal([this] { walk::menuAction(m_main, "prefconv")->trigger(); },
                                       [&](QWidget *dialog) { drivePrefix(dialog, a); });
        expect(ok, QStringLiteral("prefix converter did not open, or did not close"));
        expect(!Forms::instance().isLoaded(QStringLiteral("Prefix")), QStringLiteral("prefix converter still loaded"));
    }

    void drivePrefix(QWidget *dialog, const Action &a)
    {
        if (!expect(dialog->objectName() == QLatin1String("Prefix"),
                    QStringLiteral("modal window %1 instead of the prefix converter").arg(dialog->objectName())))
            return;
        expect(dialog->windowTitle() == QLatin1String("Measurment Prefix"),
               QStringLiteral("prefix converter titled ") + dialog->windowTitle());
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("Prefixlst"));
        auto *input = dialog->findChild<QLineEdit *>(QStringLiteral("prefintxt"));
        auto *output = dialog->findChild<QLineEdit *>(QStringLiteral("prefouttxt"));
        auto *caption = dialog->findChild<QLabel *>(QStringLiteral("prefpreflbl"));
        auto *go = dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"));
        auto *close = dialog->findChild<QAbstractButton *>(QStringLiteral("Command2"));
        if (!expect(list && input && output && caption && go && close, QStringLiteral("prefix converter controls")))
            return;
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        QStringList names;
        for (const Prefix &p : prefixTable())
            names << qstr(p.name);
        expect(items == names, QStringLiteral("prefix list holds ") + items.join(','));

        m_model.openPrefix();
        const auto check = [&] {
            QApplication::processEvents();
            const QList<QListWidgetItem *> selected = list->selectedItems();
            const int row = selected.isEmpty() ? -1 : list->row(selected.front());
            expect(input->text() == m_model.prefixInput && output->text() == m_model.prefixOutput &&
                       caption->text() == m_model.prefixCaption && row == m_model.prefixSelected,
                   QStringLiteral("prefix converter shows %1 / %2 / %3 / item %4, expected %5 / %6 / %7 / item %8")
                       .arg(shown(input->text()), shown(output->text()), shown(caption->text()), QString::number(row),
                            shown(m_model.prefixInput), shown(m_model.prefixOutput), shown(m_model.prefixCaption),
                            QString::number(m_model.prefixSelected)));
            checkBoxes();
        };
        check();
        for (const PrefixStep &s : a.steps) {
            if (!m_failure.isEmpty())
                break;
            switch (s.act) {
            case PrefixAct::Type: m_model.prefixInput = typeText(input, s.text, s.how, m_model.prefixInput); break;
            case PrefixAct::Select:
            case PrefixAct::Deselect: {
                const int row = s.act == PrefixAct::Select ? s.index : m_model.prefixSelected;
                if (row < 0)
                    break;
                QListWidgetItem *item = list->item(row);
                list->scrollToItem(item);
                const QPoint at = list->visualItemRect(item).center();
                // A control-click on the selected item takes the selection away.
                QTest::mouseClick(list->viewport(), Qt::LeftButton,
                                  s.act == PrefixAct::Deselect ? Qt::ControlModifier : Qt::NoModifier, at);
                m_model.prefixSelected = s.act == PrefixAct::Select ? row : -1;
                break;
            }
            case PrefixAct::Go:
                press(go, s.how);
                m_model.go();
                break;
            case PrefixAct::Poke: {
                // The windows behind a modal one take no input.
                if (auto *newButton = control<QAbstractButton>(QStringLiteral("Command2")))
                    windowClick(newButton);
                break;
            }
            }
            check();
        }
        if (a.closeHow == 0)
            QTest::mouseClick(close, Qt::LeftButton);
        else
            dialog->close();
    }

    // ----- real message boxes -----

    void realBoxes(bool on)
    {
        if (!on) {
            m_boxCloser.reset();
            setMsgBoxHook([this](const MsgBoxCall &c) { m_seen << c; });
            return;
        }
        setMsgBoxHook({});
        m_boxCloser = std::make_unique<QTimer>();
        m_boxCloser->setInterval(0);
        QObject::connect(m_boxCloser.get(), &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            int flags = 0;
            switch (box->icon()) {
            case QMessageBox::Critical: flags = 16; break;
            case QMessageBox::Warning: flags = 48; break;
            case QMessageBox::Information: flags = 64; break;
            default: break;
            }
            m_seen << MsgBoxCall{box->text(), flags, box->windowTitle()};
            ++m_realBoxCount;
            expect(box->buttons().size() == 1, QStringLiteral("a message box with more than an OK button"));
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
        m_boxCount += m_seen.size();
        bool same = m_seen.size() == m_model.boxes.size();
        for (qsizetype i = 0; same && i < m_seen.size(); ++i)
            same = m_seen[i].prompt == m_model.boxes[i].prompt && m_seen[i].flags == m_model.boxes[i].flags &&
                   m_seen[i].title == m_model.boxes[i].title;
        if (!same) {
            const auto list = [](const QList<MsgBoxCall> &boxes) {
                QStringList l;
                for (const MsgBoxCall &b : boxes)
                    l << QStringLiteral("%1/%2/%3").arg(shown(b.prompt), QString::number(b.flags), shown(b.title));
                return l.isEmpty() ? QStringLiteral("none") : l.join(QStringLiteral(", "));
            };
            expect(false, QStringLiteral("message boxes %1, expected %2").arg(list(m_seen), list(m_model.boxes)));
        }
        m_seen.clear();
        m_model.boxes.clear();
    }

    void checkAll()
    {
        checkBoxes();
        Forms &forms = Forms::instance();
        expect(forms.loadedNames() == QStringList{m_model.current},
               QStringLiteral("loaded forms %1, expected only %2").arg(forms.loadedNames().join(','), m_model.current));

        // Forms that were left or closed are gone, not just hidden.
        int formWidgets = 0, dialogs = 0, boxes = 0;
        QString shownForm;
        for (QWidget *w : QApplication::allWidgets()) {
            if (auto *f = qobject_cast<FormWidget *>(w)) {
                ++formWidgets;
                shownForm = f->objectName();
            } else if (qobject_cast<DialogForm *>(w)) {
                ++dialogs;
            } else if (qobject_cast<QMessageBox *>(w)) {
                ++boxes;
            }
        }
        expect(formWidgets == 1 && shownForm == m_model.current,
               QStringLiteral("%1 form widgets alive (%2), expected only %3")
                   .arg(formWidgets)
                   .arg(shownForm, m_model.current));
        expect(dialogs == 0 && boxes == 0,
               QStringLiteral("%1 dialogs and %2 message boxes left alive").arg(dialogs).arg(boxes));
        const QList<QMdiSubWindow *> frames = m_main->mdiArea()->subWindowList();
        expect(frames.size() == 1 && frames.front()->isMaximized(),
               QStringLiteral("%1 child windows in the main window, expected one maximised").arg(frames.size()));
        expect(m_main->windowTitle() == QLatin1String("Tolvaren v1.10"), QStringLiteral("main window title"));

        const ConversionMemory &memory = conversionMemory();
        expect(sameBits(memory.InputValue, m_model.inputValue) && sameBits(memory.ResultValue, m_model.resultValue),
               QStringLiteral("memory %1 / %2, expected %3 / %4")
                   .arg(memory.InputValue, 0, 'g', 17)
                   .arg(memory.ResultValue, 0, 'g', 17)
                   .arg(m_model.inputValue, 0, 'g', 17)
                   .arg(m_model.resultValue, 0, 'g', 17));

        const FormInfo *f = m_model.form();
        if (!f)
            return;
        auto *input = control<QLineEdit>(QString::fromLatin1(f->input));
        auto *from = control<QComboBox>(QString::fromLatin1(f->from));
        auto *to = control<QComboBox>(QString::fromLatin1(f->to));
        auto *output = control<QLineEdit>(QString::fromLatin1(f->output));
        if (!expect(input && from && to && output, QStringLiteral("converter controls missing")))
            return;
        const QStringList got{input->text(), from->currentText(), to->currentText(), output->text()};
        const QStringList want{m_model.input, m_model.from, m_model.to, m_model.output};
        if (got != want) {
            QStringList g, w;
            for (const QString &s : got)
                g << shown(s);
            for (const QString &s : want)
                w << shown(s);
            expect(false, QStringLiteral("texts %1, expected %2")
                              .arg(g.join(QStringLiteral(" | ")), w.join(QStringLiteral(" | "))));
        }
    }

    std::mt19937_64 m_rng;
    Texts m_texts;
    MainWindow *m_main = nullptr;
    Model m_model;
    QList<MsgBoxCall> m_seen;
    std::unique_ptr<QTimer> m_boxCloser;
    std::deque<QString> m_log;
    QString m_failure;
    std::map<int, int> m_counts;
    int m_step = 0;
    int m_boxCount = 0, m_realBoxCount = 0, m_windows = 0;
    bool m_trace = false;
};

// The offscreen platform says, at every modal window, what it cannot do
// (raise, grab the keyboard); thousands of those would bury the walk's own
// report.
QtMessageHandler previousHandler = nullptr;

void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
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

        Walker w(seed);
        w.setTrace(qEnvironmentVariableIntValue("TOLVAREN_WALK_TRACE") != 0);
        QVERIFY(w.start());
        QElapsedTimer clock;
        clock.start();
        while (w.step() < steps && w.randomStep()) {
        }
        if (w.failure().isEmpty())
            w.exitEndsTheLoop();
        const QString failure = w.failure();
        qInfo("walk: %s", qPrintable(w.summary(clock.elapsed())));
        w.stop();
        if (!failure.isEmpty())
            qInfo("walk: seed %llu broke at %s", seed, qPrintable(failure));
        QVERIFY2(failure.isEmpty(), "the walk broke; see above");
    }
};

QTEST_MAIN(WalkTest)
#include "walk_test.moc"

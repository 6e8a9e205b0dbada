// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Each fault of Qt that a workaround answers, looked for in bare Qt widgets
// on the Qt this is built with (no workaround installed), against what the
// program's table says of that Qt. A Qt that mends a fault fails the row of
// the workaround to retire; a Qt that brings one back fails it too. Each
// check runs in a process of its own, so that a fault that crashes or
// loops counts as seen.
#include "gui/workarounds/faults.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmapCache>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <map>

using namespace tolvaren;

namespace {

QAccessibleInterface *described(QObject *o) { return QAccessible::queryAccessibleInterface(o); }

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLong() * 4;
}

// Whether a child a reader finds in `o` passes `test`.
bool anyChild(QObject *o, const std::function<bool(QAccessibleInterface *)> &test)
{
    QAccessibleInterface *shown = described(o);
    for (int i = 0; i < shown->childCount(); ++i)
        if (test(shown->child(i)))
            return true;
    return false;
}

// The bare widgets the checks look at, none shown until a check shows it: a
// window with a menu bar of two menus over a text box, a list and a button;
// a drop-down list; a workspace with one frame; a message box.
struct Bench {
    QWidget window;
    QMenuBar *bar = new QMenuBar(&window);
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    QMenu *help = bar->addMenu(QStringLiteral("Help"));
    QLineEdit *box = new QLineEdit(QStringLiteral(" 16.404"), &window);
    QListWidget *items = new QListWidget(&window);
    QPushButton *button = new QPushButton(QStringLiteral("Go"), &window);
    QComboBox list;
    QMdiArea area;
    QMdiSubWindow *frame = area.addSubWindow(new QWidget);
    QMessageBox message{QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("No")};
    int start = -1, end = -1;

    Bench()
    {
        file->addAction(QStringLiteral("New"));
        help->addAction(QStringLiteral("Topics"));
        items->addItems({QStringLiteral("Kilo"), QStringLiteral("Mega")});
        auto *column = new QVBoxLayout(&window);
        column->setMenuBar(bar);
        column->addWidget(items);
        column->addWidget(box);
        column->addWidget(button);
    }
    QAccessibleTextInterface *text() { return described(box)->textInterface(); }
    // Shows `w` and waits until it has the keyboard.
    static bool shownActive(QWidget *w)
    {
        w->show();
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    }
};

// Each check answers whether its fault is seen: true if Qt does wrong.
const std::map<QString, std::function<bool(Bench &)>> kChecks = {
    {"textboxes.cpp: word at a leading blank loops",
     [](Bench &b) {
         b.text()->textAtOffset(0, QAccessible::WordBoundary, &b.start, &b.end);
         return false; // the fault is a loop: coming back is its absence
     }},
    {"textboxes.cpp: attributes as empty ranges",
     [](Bench &b) {
         b.text()->attributes(0, &b.start, &b.end);
         return b.start == b.end;
     }},
    {"lists.cpp: editable list named by its text",
     [](Bench &b) {
         b.list.setEditable(true);
         b.list.setAccessibleName(QStringLiteral("Unit"));
         b.list.setEditText(QStringLiteral("Meter"));
         return described(&b.list)->text(QAccessible::Name) != QLatin1String("Unit");
     }},
    {"lists.cpp: closed drop-down's items visible",
     [](Bench &b) {
         b.list.addItems({QStringLiteral("Meter"), QStringLiteral("Inch")});
         QAccessibleInterface *item = b.shownActive(&b.list) ? described(b.list.view())->child(0) : nullptr;
         return item && !item->state().invisible;
     }},
    {"itemviews.cpp: current item focused without the focus",
     [](Bench &b) {
         if (!b.shownActive(&b.window))
             return false;
         b.items->setCurrentRow(1);
         b.box->setFocus();
         return anyChild(b.items, [](QAccessibleInterface *item) { return item->state().focused; });
     }},
    {"workspace.cpp: frame named by its title alone",
     [](Bench &b) {
         b.frame->setAccessibleName(QStringLiteral("Distance"));
         return described(b.frame)->text(QAccessible::Name) != QLatin1String("Distance");
     }},
    {"workspace.cpp: frame's parent the viewport",
     [](Bench &b) { return described(b.frame)->parent()->object() != &b.area; }},
    {"workspace.cpp: workspace a layered pane",
     [](Bench &b) { return described(&b.area)->role() == QAccessible::LayeredPane; }},
    {"buttons.cpp: controller for the receiver of its click",
     [](Bench &b) {
         QObject::connect(b.button, &QPushButton::clicked, &b.window, [] {});
         const auto relations = described(b.button)->relations();
         return std::ranges::any_of(relations, [&](const auto &r) { return r.first->object() == &b.window; });
     }},
    {"dialogs.cpp: modal window not modal",
     [](Bench &) {
         QDialog dialog;
         dialog.setModal(true);
         dialog.show();
         return !described(&dialog)->state().modal;
     }},
    {"dialogs.cpp: message box icon listed",
     [](Bench &b) {
         return anyChild(&b.message, [](QAccessibleInterface *child) {
             return child->object()->objectName() == QLatin1String("qt_msgboxex_icon_label");
         });
     }},
    {"dialogs.cpp: button box focused beside its button",
     [](Bench &b) {
         auto *buttons = b.message.findChild<QDialogButtonBox *>();
         return b.shownActive(&b.message) && buttons && QApplication::focusWidget() != buttons &&
                described(buttons)->state().focused;
     }},
    // Qt's own announcement to readers: the event that carries it.
    {"announcer.cpp: no announcement",
     [](Bench &b) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
         QAccessibleAnnouncementEvent news(&b.window, QStringLiteral("Result"));
         return news.type() != QAccessible::Announcement;
#else
         Q_UNUSED(b);
         return true;
#endif
     }},
    {"pictures.cpp: smooth scaling of 8-bit colours crashes",
     [](Bench &) {
         QImage picture(1000, 570, QImage::Format_Indexed8);
         picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
         picture.fill(1);
         // As read from a picture drawn at twice the size.
         picture.setDevicePixelRatio(2);
         return picture.scaled(750, 428, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).isNull();
     }},
    {"pixmapcache.cpp: pixmaps of every palette kept",
     [](Bench &b) {
         // Pixmaps a style drew for palettes never seen again, the cache
         // kept small: what stays grows with every palette.
         QPixmapCache::setCacheLimit(64);
         b.window.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
         QImage canvas(200, 100, QImage::Format_ARGB32_Premultiplied);
         const auto drawn = [&](int from, int to) {
             for (int i = from; i < to; ++i) {
                 QPalette palette = b.window.palette();
                 palette.setColor(QPalette::Button, QColor::fromRgb(QRgb(i)));
                 b.button->setPalette(palette);
                 b.button->render(&canvas);
             }
             return residentKiB();
         };
         const long before = drawn(0, 1000);
         const long after = drawn(1000, 6000);
         qInfo("resident %ld KiB after 1000 palettes, %ld KiB after 6000", before, after);
         return after - before > 1024;
     }},
    {"menus.cpp: next menu's first item highlighted at once",
     [](Bench &b) {
         // Opens File and presses Right in it.
         if (!b.shownActive(&b.window))
             return false;
         b.box->setFocus();
         b.bar->setActiveAction(b.file->menuAction());
         if (!QTest::qWaitFor([&] { return b.file->isVisible(); }))
             return false;
         QTest::keyClick(b.file, Qt::Key_Right);
         return QTest::qWaitFor([&] { return b.help->isVisible(); }) && b.help->activeAction();
     }},
};

// Faults that bare widgets on the offscreen platform cannot show, and the
// test that sees each.
const std::map<QString, QString> kSeenElsewhere = {
    {"fixedsize.cpp: maximise of a fixed-size window on Wayland", "the Wayland test"},
    {"frametitle.cpp: title cut short by the frame Qt draws", "the Wayland test"},
    {"rangeextents.cpp: range extents asked offset by offset", "the end-to-end test, through AT-SPI"},
    {"scaledextents.cpp: places told in unscaled pixels", "the end-to-end test at a scale, through AT-SPI"},
    {"scaledextents.cpp: points asked taken as unscaled pixels", "the end-to-end test at a scale, through AT-SPI"},
    // What Qt tells a reader meanwhile: offscreen it tells none of these.
    {"textboxes.cpp: deselection told after the focus left", "the screen reader test"},
    {"menus.cpp: focus handed to the form while a menu is open or closes to the bar", "the screen reader test"},
    {"menus.cpp: menu opened with nothing highlighted not focused", "the screen reader test"},
    {"formswitch.cpp: focus told at every step of a switch", "the screen reader test"},
    {"activation.cpp: activation told as a drop-down opens", "the screen reader test"},
    {"lists.cpp: new value of a list away from the focus told as its selection", "the screen reader test"},
    {"keyboardback.cpp: window told active before it is", "the screen reader test, with the window manager held"},
    {"itemviews.cpp: drop-down's pick told after the focus came back", "the screen reader test"},
    {"lists.cpp: closed drop-down's pick told as its selection", "the screen reader test"},
    {"lists.cpp: drop-down's pick told again as it closes", "the screen reader test"},
    {"lists.cpp: arrowed pick told as its field's text too", "the screen reader test"},
    // Only a reader that asks after a hidden widget meets it.
    {"hiding.cpp: hide told of what goes at once", "the end-to-end and screen reader tests, in the program's output"},
    {"keptwindows.cpp: closed window asked after by the reader", "the screen reader test, in the program's output"},
    // Only the bridge on the accessibility bus answers for attributes.
    {"setsize.cpp: no set size told for a list", "the end-to-end test, through AT-SPI"},
};

QString rowName(const workarounds::QtFault &f)
{
    return QString::fromLatin1(f.workaround) + QStringLiteral(": ") + QString::fromLatin1(f.fault);
}

} // namespace

class QtFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void faultAsRecorded_data()
    {
        QTest::addColumn<int>("row");
        for (const auto &fault : workarounds::qtFaults())
            QTest::newRow(qPrintable(rowName(fault))) << int(&fault - workarounds::qtFaults().data());
    }
    void faultAsRecorded()
    {
        QFETCH(int, row);
        const workarounds::QtFault &fault = workarounds::qtFaults()[row];
        const QString name = rowName(fault);
        if (kSeenElsewhere.contains(name))
            QSKIP(qPrintable(QStringLiteral("offscreen widgets cannot show it; see ") + kSeenElsewhere.at(name)));
#if defined(TOLVAREN_SANITIZED)
        // AddressSanitizer holds freed memory back, so the resident memory
        // grows whatever Qt keeps; the normal build measures it.
        if (name.startsWith(QLatin1String("pixmapcache.cpp")))
            QSKIP("resident memory tells nothing under AddressSanitizer");
#endif
        QVERIFY2(kChecks.contains(name), "a fault in the table with no check here");
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--fault"), name});
        // A fault that crashes or loops counts as seen.
        const bool ended = child.waitForFinished(10000);
        if (!ended) {
            child.kill();
            child.waitForFinished();
        }
        const int code = ended && child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
        QVERIFY2(code != 2, "check not found");
        const bool seen = code != 0;
        const QVersionNumber qt = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
        qInfo("Qt %s: %s", qVersion(), seen ? "seen" : "gone");
        if (workarounds::hasFault(fault, qt))
            QVERIFY2(seen, qPrintable(QStringLiteral("Qt ") + qt.toString() + QStringLiteral(" has mended it: add ") +
                                      qt.toString() + QStringLiteral(" to its versions without it, or retire ") +
                                      QString::fromLatin1(fault.workaround)));
        else
            QVERIFY2(!seen, qPrintable(QStringLiteral("Qt ") + qt.toString() +
                                       QStringLiteral(" has it again: the table says it is gone")));
    }
    // Whether a Qt has a fault, from the versions it was measured on.
    void faultOnVersion()
    {
        struct Row {
            const char *seenOn, *goneOn, *qt;
            bool has;
        };
        for (const Row &r : {Row{"6.4.2", "6.8.2", "6.4.2", true}, Row{"6.4.2", "6.8.2", "6.8.2", false},
                             Row{"6.4.2", "6.8.2", "6.6.0", true}, Row{"6.4.2", "6.8.2", "6.9.1", false},
                             Row{"6.4.2", "6.8.2", "6.2.4", true}, Row{"6.4.2", "", "6.9.1", true},
                             Row{"6.8.2", "6.4.2", "6.10.0", true}, Row{"6.8.2", "6.4.2", "6.2.4", false},
                             Row{"6.2.4 6.8.2", "6.4.2", "6.9.0", true}}) {
            const workarounds::QtFault fault{workarounds::Fault::Count, "a.cpp", "a fault", r.seenOn, r.goneOn};
            QVERIFY2(workarounds::hasFault(fault, QVersionNumber::fromString(QLatin1String(r.qt))) == r.has,
                     qPrintable(QStringLiteral("seen %1, gone %2, on %3").arg(r.seenOn, r.goneOn, r.qt)));
        }
    }
    // Every check is of a fault in the table.
    void checksInTable()
    {
        for (const auto &check : kChecks)
            QVERIFY2(
                std::ranges::any_of(workarounds::qtFaults(), [&](const auto &f) { return rowName(f) == check.first; }),
                qPrintable(check.first));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--fault") {
        QApplication app(argc, argv);
        const auto check = kChecks.find(QString::fromLocal8Bit(argv[2]));
        Bench bench;
        return check == kChecks.end() ? 2 : check->second(bench) ? 1 : 0;
    }
    QApplication app(argc, argv);
    QtFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qtfaults_test.moc"

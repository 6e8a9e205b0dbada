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

// Shows `window` and waits until it has the keyboard.
bool shownActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return statm.readAll().split(' ').value(1).toLong() * 4;
}

// A window with a menu bar of two menus and a text box with the keyboard.
struct MenuWindow : QWidget {
    QMenuBar *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(QStringLiteral("File"));
    QMenu *help = bar->addMenu(QStringLiteral("Help"));
    QLineEdit *box = new QLineEdit(this);
    MenuWindow()
    {
        file->addAction(QStringLiteral("New"));
        help->addAction(QStringLiteral("Topics"));
        new QVBoxLayout(this);
        layout()->setMenuBar(bar);
        layout()->addWidget(box);
    }
    // Opens File and presses Right in it.
    bool movedRight()
    {
        if (!shownActive(this))
            return false;
        box->setFocus();
        bar->setActiveAction(file->menuAction());
        if (!QTest::qWaitFor([&] { return file->isVisible(); }))
            return false;
        QTest::keyClick(file, Qt::Key_Right);
        return QTest::qWaitFor([&] { return help->isVisible(); });
    }
};

// Each check answers whether its fault is seen: true if Qt does wrong.
const std::map<QString, std::function<bool()>> kChecks = {
    {"textboxes.cpp: word at a leading blank loops",
     [] {
         QLineEdit box(QStringLiteral(" 16.404"));
         int start = -1, end = -1;
         described(&box)->textInterface()->textAtOffset(0, QAccessible::WordBoundary, &start, &end);
         return false; // the fault is a loop: coming back is its absence
     }},
    {"textboxes.cpp: attributes as empty ranges",
     [] {
         QLineEdit box(QStringLiteral(" 16.404"));
         int start = -1, end = -1;
         described(&box)->textInterface()->attributes(0, &start, &end);
         return start == end;
     }},
    {"lists.cpp: editable list named by its text",
     [] {
         QComboBox list;
         list.setEditable(true);
         list.setAccessibleName(QStringLiteral("Unit"));
         list.setEditText(QStringLiteral("Meter"));
         return described(&list)->text(QAccessible::Name) != QLatin1String("Unit");
     }},
    {"lists.cpp: closed drop-down's items visible",
     [] {
         QComboBox list;
         list.addItems({QStringLiteral("Meter"), QStringLiteral("Inch")});
         if (!shownActive(&list))
             return false;
         QAccessibleInterface *item = described(list.view())->child(0);
         return item && !item->state().invisible;
     }},
    {"itemviews.cpp: current item focused without the focus",
     [] {
         QWidget window;
         auto *items = new QListWidget(&window);
         items->addItems({QStringLiteral("Kilo"), QStringLiteral("Mega")});
         auto *box = new QLineEdit(&window);
         new QVBoxLayout(&window);
         window.layout()->addWidget(items);
         window.layout()->addWidget(box);
         if (!shownActive(&window))
             return false;
         items->setCurrentRow(1);
         box->setFocus();
         QAccessibleInterface *list = described(items);
         for (int i = 0; i < list->childCount(); ++i)
             if (list->child(i)->state().focused)
                 return true;
         return false;
     }},
    {"workspace.cpp: frame named by its title alone",
     [] {
         QMdiArea area;
         QMdiSubWindow *frame = area.addSubWindow(new QWidget);
         frame->setAccessibleName(QStringLiteral("Distance"));
         return described(frame)->text(QAccessible::Name) != QLatin1String("Distance");
     }},
    {"workspace.cpp: frame's parent the viewport",
     [] {
         QMdiArea area;
         QMdiSubWindow *frame = area.addSubWindow(new QWidget);
         return described(frame)->parent()->object() != &area;
     }},
    {"workspace.cpp: workspace a layered pane",
     [] {
         QMdiArea area;
         return described(&area)->role() == QAccessible::LayeredPane;
     }},
    {"buttons.cpp: controller for the receiver of its click",
     [] {
         QWidget form;
         auto *button = new QPushButton(QStringLiteral("Go"), &form);
         QObject::connect(button, &QPushButton::clicked, &form, [] {});
         for (const auto &[other, relation] : described(button)->relations())
             if (other->object() == &form)
                 return true;
         return false;
     }},
    {"dialogs.cpp: modal window not modal",
     [] {
         QDialog dialog;
         dialog.setModal(true);
         dialog.show();
         return !described(&dialog)->state().modal;
     }},
    {"dialogs.cpp: message box icon listed",
     [] {
         QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("No"));
         QAccessibleInterface *shown = described(&box);
         for (int i = 0; i < shown->childCount(); ++i)
             if (shown->child(i)->object()->objectName() == QLatin1String("qt_msgboxex_icon_label"))
                 return true;
         return false;
     }},
    {"dialogs.cpp: button box focused beside its button",
     [] {
         QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("No"));
         if (!shownActive(&box))
             return false;
         auto *buttons = box.findChild<QDialogButtonBox *>();
         return buttons && QApplication::focusWidget() != buttons && described(buttons)->state().focused;
     }},
    {"pictures.cpp: smooth scaling of 8-bit colours crashes",
     [] {
         QImage picture(1000, 570, QImage::Format_Indexed8);
         picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
         picture.fill(1);
         // As read from a picture drawn at twice the size.
         picture.setDevicePixelRatio(2);
         return picture.scaled(750, 428, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).isNull();
     }},
    {"pixmapcache.cpp: pixmaps of every palette kept",
     [] {
         // Pixmaps a style drew for palettes never seen again, the cache
         // kept small: what stays grows with every palette.
         QPixmapCache::setCacheLimit(64);
         QWidget window;
         window.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
         auto *button = new QPushButton(QStringLiteral("Go"), &window);
         QImage canvas(200, 100, QImage::Format_ARGB32_Premultiplied);
         const auto drawn = [&](int from, int to) {
             for (int i = from; i < to; ++i) {
                 QPalette palette = window.palette();
                 palette.setColor(QPalette::Button, QColor::fromRgb(QRgb(i)));
                 button->setPalette(palette);
                 button->render(&canvas);
             }
             return residentKiB();
         };
         const long before = drawn(0, 1000);
         const long after = drawn(1000, 6000);
         qInfo("resident %ld KiB after 1000 palettes, %ld KiB after 6000", before, after);
         return after - before > 1024;
     }},
    {"menus.cpp: next menu's first item highlighted at once",
     [] {
         MenuWindow window;
         return window.movedRight() && window.help->activeAction();
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
    {"textboxes.cpp: deselection told before the typing over it", "the screen reader test"},
    {"menus.cpp: focus handed to the form while a menu is open", "the screen reader test"},
    {"formswitch.cpp: focus told at every step of a switch", "the screen reader test"},
    {"activation.cpp: activation told as a drop-down opens", "the screen reader test"},
    {"itemviews.cpp: drop-down's pick told after the focus came back", "the screen reader test"},
    {"lists.cpp: closed drop-down's pick told as its selection", "the screen reader test"},
    {"lists.cpp: drop-down's pick told again as it closes", "the screen reader test"},
    {"lists.cpp: arrowed pick told as its field's text too", "the screen reader test"},
    // Only a reader that asks after a hidden widget meets it.
    {"hiding.cpp: hide told of what goes at once", "the end-to-end and screen reader tests, in the program's output"},
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
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer holds freed memory back, so the resident memory
        // grows whatever Qt keeps; the normal build measures it.
        if (name.startsWith(QLatin1String("pixmapcache.cpp")))
            QSKIP("resident memory tells nothing under AddressSanitizer");
#endif
        QVERIFY2(kChecks.contains(name), "a fault in the table with no check here");
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--fault"), name});
        // A fault that loops counts as seen.
        const bool ended = child.waitForFinished(10000);
        if (!ended) {
            child.kill();
            child.waitForFinished();
        }
        QVERIFY2(!ended || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 2, "check not found");
        const bool seen = !ended || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0;
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
            const workarounds::QtFault fault{"a.cpp", "a fault", r.seenOn, r.goneOn};
            QVERIFY2(workarounds::hasFault(fault, QVersionNumber::fromString(QLatin1String(r.qt))) == r.has,
                     qPrintable(QStringLiteral("seen %1, gone %2, on %3").arg(r.seenOn, r.goneOn, r.qt)));
        }
    }
    // Every check is of a fault in the table.
    void checksInTable()
    {
        for (const auto &[name, check] : kChecks)
            QVERIFY2(std::ranges::any_of(workarounds::qtFaults(), [&](const auto &f) { return rowName(f) == name; }),
                     qPrintable(name));
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--fault") {
        QApplication app(argc, argv);
        const auto check = kChecks.find(QString::fromLocal8Bit(argv[2]));
        return check == kChecks.end() ? 2 : check->second() ? 1 : 0;
    }
    QApplication app(argc, argv);
    QtFaultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qtfaults_test.moc"

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Does memory stay flat? After a warm-up, thousands of category switches
// (each unloads one converter form and loads another) and thousands of
// prefix converter openings (open, pick a prefix, Go, Close) must leave the
// resident size where it was. Prints the growth of each; the aim is under
// 2 MB. Run it on a build without sanitizers: their bookkeeping grows.

#include "fixture.h"

#include "gui/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <string>

using namespace tolvaren;
using namespace tolvaren::testing;

namespace {

// Resident set size in MB, after handing freed heap back to the system so
// that what remains is memory still in use.
double residentMb()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return -1.0;
}

QString currentForm() { return loadedNames().value(0); }

// Presses the next category button on the open form.
bool switchOnce(int i)
{
    const QString name = currentForm();
    QWidget *form = loadedForm(name);
    if (!form)
        return false;
    const bool welcome = name == QLatin1String("Selection");
    auto *button = form->findChild<QAbstractButton *>(QStringLiteral("Command%1").arg(welcome ? 1 + i % 6 : 3 + i % 5));
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    return currentForm() != name;
}

bool prefixOnce(MainWindow *main, int i)
{
    bool went = false;
    const bool ok =
        driveModal([main] { menuAction(main, "prefconv")->trigger(); },
                   [&](QWidget *dialog) {
                       auto *list = dialog->findChild<QListWidget *>(QStringLiteral("Prefixlst"));
                       auto *go = dialog->findChild<QAbstractButton *>(QStringLiteral("Command1"));
                       auto *close = dialog->findChild<QAbstractButton *>(QStringLiteral("Command2"));
                       if (!list || !go || !close)
                           return;
                       QListWidgetItem *item = list->item(i % list->count());
                       list->scrollToItem(item);
                       QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
                       QTest::mouseClick(go, Qt::LeftButton);
                       went = true;
                       QTest::mouseClick(close, Qt::LeftButton);
                   });
    settle();
    return ok && went;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Program p;
    if (!p.start()) {
        std::fprintf(stderr, "the main window did not come up\n");
        return 2;
    }
    MainWindow *main = p.main;
    constexpr int warmUp = 300;
    constexpr int rounds = 5000;
    constexpr double targetMb = 2.0;

    for (int i = 0; i < warmUp; ++i)
        if (!switchOnce(i) || !prefixOnce(main, i)) {
            std::fprintf(stderr, "warm-up failed at %d\n", i);
            return 2;
        }

    const auto measure = [&](const char *what, auto &&once) {
        const qsizetype widgetsBefore = QApplication::allWidgets().size();
        const double before = residentMb();
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < rounds; ++i)
            if (!once(i)) {
                std::fprintf(stderr, "%s failed at %d\n", what, i);
                std::exit(2);
            }
        const double seconds = clock.elapsed() / 1000.0;
        const double after = residentMb();
        const qsizetype widgetsAfter = QApplication::allWidgets().size();
        std::printf("%-26s %d in %.1f s: resident %.2f -> %.2f MB, growth %+.2f MB (%+.0f bytes each); "
                    "widgets %lld -> %lld\n",
                    what, rounds, seconds, before, after, after - before, (after - before) * 1048576.0 / rounds,
                    static_cast<long long>(widgetsBefore), static_cast<long long>(widgetsAfter));
        return after - before;
    };
    const double switches = measure("category switches", [](int i) { return switchOnce(i); });
    const double openings = measure("prefix converter openings", [main](int i) { return prefixOnce(main, i); });

    const bool boxes = !p.boxes.isEmpty();
    p.stop();
    const bool flat = switches < targetMb && openings < targetMb;
    std::printf("target: under %.0f MB each: %s%s\n", targetMb, flat ? "met" : "NOT met",
                boxes ? " (message boxes were shown: something went wrong)" : "");
    return flat && !boxes ? 0 : 1;
}

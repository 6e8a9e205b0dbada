// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// A design the builder cannot follow must stop the program with a message
// naming the mistake, never show a form other than designed. Each broken
// design is built in a child process of this test, which must end without
// reporting a form built.

#include "categories/category.h"
#include "forms/design.h"
#include "gui/builder.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <array>
#include <cstdio>

using namespace tolvaren;
using namespace tolvaren::design;

namespace {

// A type that no converter form shows.
const Category kOrphanType{"orphan", {}, {}, ""};

struct Broken {
    const char *row;
    Form form;
    const char *message;     // what the stop must say
    Role asked = Role::None; // the output box a window asks the form for
};

// clang-format off
const auto kInFrameItLacks = std::to_array<Control>({
    control("Command1", Kind::Button, "Go", 0, 0, 600, 300, 0).in("Frame9"),
});
const auto kNameTwice = std::to_array<Control>({
    control("Text1", Kind::TextBox, "", 0, 0, 600, 300, 0),
    control("Text1", Kind::TextBox, "", 0, 400, 600, 300, 1),
});
const auto kRoleTwice = std::to_array<Control>({
    control("Text1", Kind::TextBox, "", 0, 0, 600, 300, 0).as(Role::Input),
    control("Text2", Kind::TextBox, "", 0, 400, 600, 300, 1).as(Role::Input),
});
const auto kLabelOpensType = std::to_array<Control>({
    control("Label1", Kind::Label, "Mass", 0, 0, 600, 300).opens(kOrphanType),
});
const auto kTypeWithoutForm = std::to_array<Control>({
    control("Command1", Kind::Button, "Orphan", 0, 0, 600, 300, 0).opens(kOrphanType),
});
const auto kBuddyMissing = std::to_array<Control>({
    control("Label1", Kind::Label, "Input value here:", 0, 0, 600, 300).buddy("Text9"),
});
const auto kNoOutput = std::to_array<Control>({
    control("Text1", Kind::TextBox, "", 0, 0, 600, 300, 0).as(Role::Input),
});
// clang-format on

Form broken(std::span<const Control> controls)
{
    return Form{.name = "Broken", .caption = "Broken", .clientWidth = 3000, .clientHeight = 2000, .controls = controls};
}

const std::array kBroken{
    Broken{"control in a frame the form lacks", broken(kInFrameItLacks), "sits in a frame the form does not have"},
    Broken{"one name twice without array indexes", broken(kNameTwice), "repeats a name without a new array index"},
    Broken{"one role for two controls", broken(kRoleTwice), "plays a role another control plays already"},
    Broken{"label that opens a type", broken(kLabelOpensType), "opens a type but is no button"},
    Broken{"button for a type without a form", broken(kTypeWithoutForm), "opens a type that has no converter form"},
    Broken{"buddy the form lacks", broken(kBuddyMissing), "names a buddy the form does not have"},
    Broken{"role a window needs, missing", broken(kNoOutput), "The design has no QLineEdit", Role::Output},
};

// In the child: builds one broken design as a window would, and says so if
// the builder let it through.
int buildBroken(const char *row)
{
    for (const Broken &b : kBroken) {
        if (qstrcmp(b.row, row) != 0)
            continue;
        QWidget target;
        const BuiltForm built = buildForm(b.form, &target);
        if (b.asked != Role::None)
            built.withRole<QLineEdit>(b.asked);
        std::puts("built");
        return 0;
    }
    return 2;
}

} // namespace

class BuilderTest : public QObject {
    Q_OBJECT
  private slots:
    void stopsOnABrokenDesign_data()
    {
        QTest::addColumn<QString>("message");
        for (const Broken &b : kBroken)
            QTest::newRow(b.row) << QString::fromUtf8(b.message);
    }

    void stopsOnABrokenDesign()
    {
        QFETCH(QString, message);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--build", QString::fromUtf8(QTest::currentDataTag())});
        QVERIFY(child.waitForFinished(60000));
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        const QString err = QString::fromUtf8(child.readAllStandardError());
        QVERIFY2(!out.contains("built"), qPrintable("the builder made the form: " + err));
        QVERIFY2(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0, qPrintable(err));
        QVERIFY2(err.contains(message), qPrintable(err));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--build") == 0)
        return buildBroken(argv[2]);
    BuilderTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "builder_test.moc"

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/commandline.h"

#include "version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLoggingCategory>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tolvaren {

bool expectDisplay(int argc, char **argv)
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    }
    // Qt reads its options with one dash or two, and one without its value
    // not at all.
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.starts_with("--"))
            arg.remove_prefix(1);
        if (arg == "-platform" || arg == "-display")
            return true;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // That start only reads the command line, and the program ends right
    // after; what Qt says on the way (such as XDG_RUNTIME_DIR not being set)
    // is not the user's business.
    QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
    return false;
}

std::optional<int> answerCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Converts a number from one unit of measurement to another, in a window."));
    // Not Qt's own help option: it adds --help-all, which lists a Qt option
    // this program does not take and leaves out those it does.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays version information."));
    parser.addOptions({help, version});

    QString mistake;
    if (!parser.parse(arguments))
        mistake = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
    if (!mistake.isEmpty()) {
        std::fprintf(stderr, "tolvaren: %s\n", qPrintable(mistake));
        return EXIT_FAILURE;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return EXIT_SUCCESS;
    }
    if (parser.isSet(version)) {
        std::puts("tolvaren " TOLVAREN_VERSION);
        return EXIT_SUCCESS;
    }
    return std::nullopt;
}

} // namespace tolvaren

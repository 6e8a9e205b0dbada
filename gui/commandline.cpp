// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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
    parser.addHelpOption();
    parser.addVersionOption();
    // Answers --help, --help-all and --version, or a mistaken option, and
    // ends the program there.
    parser.process(arguments);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "%s: Unexpected argument '%s'.\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(parser.positionalArguments().constFirst()));
        return EXIT_FAILURE;
    }
    return std::nullopt;
}

} // namespace tolvaren

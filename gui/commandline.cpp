// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/commandline.h"

#include "gui/version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMutex>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace tolvaren {

std::optional<int> answerCommandLine(int argc, char **argv)
{
    // A start from the desktop has no arguments and pays nothing here.
    if (argc <= 1)
        return std::nullopt;

    int coreArgc = argc;
    QCoreApplication core(coreArgc, argv);
    // What --version prints and what error messages start with.
    QCoreApplication::setApplicationName(QStringLiteral("tolvaren"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVAREN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Converts distances, masses, temperatures, volumes, speeds and "
                                                    "times between units, in a window."));
    // Qt's options are single words after one dash ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();

    // The options the QApplication takes out of the command line itself. They
    // are read here only so as not to be taken for mistakes, and are left
    // out of the help.
    struct QtOption {
        const char *name;
        bool takesValue;
    };
    static constexpr QtOption qtOptions[] = {
        {"platform", true},        {"platformpluginpath", true},
        {"platformtheme", true},   {"plugin", true},
        {"qwindowgeometry", true}, {"geometry", true},
        {"qwindowtitle", true},    {"title", true},
        {"qwindowicon", true},     {"icon", true},
        {"display", true},         {"name", true},
        {"visual", true},          {"session", true},
        {"style", true},           {"stylesheet", true},
        {"qmljsdebugger", true},   {"reverse", false},
        {"nograb", false},         {"dograb", false},
        {"testability", false},    {"widgetcount", false},
    };
    for (const QtOption &q : qtOptions) {
        QCommandLineOption option(QString::fromLatin1(q.name), QString(),
                                  q.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    // Prints the help or the version and exits, or an error for an unknown
    // option and exits with status 1, as every Qt program does.
    parser.process(core);

    const QStringList extra = parser.positionalArguments();
    if (!extra.isEmpty()) {
        std::fprintf(stderr, "tolvaren: Unexpected argument '%s'.\n", qPrintable(extra.constFirst()));
        return EXIT_FAILURE;
    }
    QCoreApplication::setApplicationName(QString());
    QCoreApplication::setApplicationVersion(QString());
    return std::nullopt;
}

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file;
    std::string function;
    std::string category;
    int line;
    QString text;
};

// The handler is a plain function: its state is the process's.
QMutex heldMutex;
bool holding = false;
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> held;

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

// Why no display could be opened, from what Qt said on the way.
QString displayFailureReason(const QString &fatalText)
{
    static const QString noConnection = QStringLiteral("could not connect to display");
    for (const HeldMessage &m : held) {
        if (!m.text.startsWith(noConnection))
            continue;
        // The X platform names the display only when -display gave one.
        QString display = m.text.mid(noConnection.size()).trimmed();
        if (display.isEmpty())
            display = QString::fromLocal8Bit(qgetenv("DISPLAY"));
        if (display.isEmpty())
            return QStringLiteral("DISPLAY is not set");
        return QStringLiteral("cannot connect to X display %1").arg(display);
    }
    static const QRegularExpression pluginName(QStringLiteral("Qt platform plugin \"([^\"]*)\""));
    for (const HeldMessage &m : held) {
        const QRegularExpressionMatch match = pluginName.match(m.text);
        if (match.hasMatch())
            return QStringLiteral("the Qt platform plugin \"%1\" could not be started").arg(match.captured(1));
    }
    if (fatalText.contains(QStringLiteral("platform plugin")))
        return QStringLiteral("no Qt platform plugin could be started");
    return QString();
}

void holdingHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    QMutexLocker lock(&heldMutex);
    if (!holding) {
        lock.unlock();
        passOn(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        const QString reason = displayFailureReason(text);
        const QString line = reason.isEmpty() ? QStringLiteral("tolvaren: %1").arg(text.section(u'\n', 0, 0))
                                              : QStringLiteral("tolvaren: cannot open a display: %1").arg(reason);
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
        // Nothing else is to run: a second thread may still be at work, and
        // destructors of half-built Qt objects would only add messages.
        _exit(EXIT_FAILURE);
    }
    held.push_back({type, context.file ? context.file : "", context.function ? context.function : "",
                    context.category ? context.category : "", context.line, text});
}

} // namespace

DisplayFailureGuard::DisplayFailureGuard()
{
    QMutexLocker lock(&heldMutex);
    holding = true;
    previousHandler = qInstallMessageHandler(holdingHandler);
}

DisplayFailureGuard::~DisplayFailureGuard() { release(); }

void DisplayFailureGuard::release()
{
    if (m_released)
        return;
    m_released = true;
    std::vector<HeldMessage> messages;
    {
        QMutexLocker lock(&heldMutex);
        holding = false;
        qInstallMessageHandler(previousHandler);
        messages.swap(held);
    }
    for (const HeldMessage &m : messages) {
        const QMessageLogContext context(m.file.empty() ? nullptr : m.file.c_str(), m.line,
                                         m.function.empty() ? nullptr : m.function.c_str(),
                                         m.category.empty() ? nullptr : m.category.c_str());
        passOn(m.type, context, m.text);
    }
}

} // namespace tolvaren

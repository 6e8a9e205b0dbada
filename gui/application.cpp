// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/application.h"

#include "gui/fonts.h"
#include "gui/keyboard.h"
#include "gui/workarounds/workarounds.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tolvaren {

namespace {

// Qt's own texts, such as the text boxes' context menu and the standard
// buttons, in the desktop's language, from Qt's installed translations. The
// program's own texts are as designed and have none.
void installQtTranslation()
{
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void prepareApplication()
{
    // The menus belong in the window: its designed outer size counts the
    // menu bar in, and a desktop-wide menu bar would take them out.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    // --version says it before the rest is set up.
    QCoreApplication::setApplicationVersion(QStringLiteral(TOLVAREN_VERSION));
}

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tolvaren"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    installQtTranslation();
    installFontSubstitutes();
    installQtWorkarounds();
    qApp->installEventFilter(new ClassicKeys(qApp));
}

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Qt's own texts follow the desktop's language. Runs under a German locale
// (see CMakeLists.txt), with Qt's German translation installed.
#include "gui/application.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace tolvaren;

class TranslationTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase()
    {
        prepareApplication();
        setUpApplication();
    }

    void textBoxMenuIsInTheDesktopsLanguage()
    {
        QLineEdit box;
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QStringList entries; // each entry's words, without the shortcut after the tab
        for (const QAction *action : menu->actions())
            entries << action->text().section(u'\t', 0, 0);
        // "Select All" as Qt's German translation words it.
        QVERIFY2(entries.contains(QStringLiteral("Alles auswählen")), qPrintable(entries.join(u'|')));
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"

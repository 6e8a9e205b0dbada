// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/announce.h"

#include "gui/workarounds/announcer.h"

#include <QAccessible>
#include <QTimer>
#include <QWidget>

namespace tolvaren {

void announce(QWidget *window, const QString &text)
{
    if (workarounds::qtLacksAnnouncement()) {
        workarounds::announceByLabel(window, text);
        return;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Told once what is already waiting has been handled: a command from a
    // menu runs as the menu closes, before the focus is told back on the
    // form, and a reader that hears of the focus after the news would
    // present the news first and the place it was heard in after.
    QTimer::singleShot(0, window, [window, text] {
        QAccessibleAnnouncementEvent news(window, text);
        news.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        QAccessible::updateAccessibility(&news);
    });
#endif
}

} // namespace tolvaren

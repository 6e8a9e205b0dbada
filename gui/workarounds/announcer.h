// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

class QString;
class QWidget;

namespace tolvaren::workarounds {

// Whether the running Qt has no announcement of its own to tell screen
// readers news while the focus stays where it is.
bool qtLacksAnnouncement();

// Tells screen readers `text` through a hidden label of `window` coming on
// screen, for a Qt without an announcement.
void announceByLabel(QWidget *window, const QString &text);

} // namespace tolvaren::workarounds

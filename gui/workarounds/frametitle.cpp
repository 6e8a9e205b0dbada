// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Titles in the window frame Qt draws itself on Wayland. Where the
// compositor draws no frames (weston), Qt draws its own, and a message box
// of Qt's is not as wide as that frame needs to show the box's title: the
// frame draws the title at 14 px, centred by its width at the application
// font (14 px after the first paint), and clips it 77 px from the right
// edge, before its close, maximise and minimise buttons; its border is
// 3 px each side. To see it: a bare QMessageBox titled "Warning: Your
// Common Sense is not in use" with the text "Same unit" under weston;
// Qt 6.4.2 shows "Warning: Your Common Sense is n", Qt 6.8.2 "Warning:
// Your Common Sense is". The frame of Qt 6.8.2 is drawn by other code than
// that of 6.4.2, but the same measures show the whole title on both. No Qt
// bug report known. On Wayland the frame is taken to be Qt's own: weston,
// where the program is tried, draws none.

#include "gui/workarounds/frametitle.h"

#include "gui/workarounds/faults.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QString>
#include <QtMath>

namespace tolvaren::workarounds {

std::optional<int> titleWidthInQtFrame(const QString &title)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland") || !runningQtHas(Fault::TitleCutShortByQtFrame))
        return std::nullopt;
    QFont drawn = QGuiApplication::font();
    drawn.setPixelSize(14);
    const qreal shown = QFontMetricsF(drawn).horizontalAdvance(title);
    const qreal centred = QFontMetricsF(QGuiApplication::font()).horizontalAdvance(title);
    return qCeil(qMax(shown, 2 * shown - centred)) + 2 * 77 - 2 * 3;
}

} // namespace tolvaren::workarounds

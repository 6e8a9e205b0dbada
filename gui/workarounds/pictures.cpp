// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Pictures scaled smoothly. Qt 6.4.2 crashes smooth-scaling an 8-bit
// indexed picture whose device pixel ratio is not 1 (as read from a
// NAME@2x.png): a pooled thread reads the colour table as null. To see it:
// a QImage of Format_Indexed8 with setDevicePixelRatio(2), scaled with
// Qt::SmoothTransformation; or the program with QT_SCALE_FACTOR=1.5. No Qt
// bug report found. Here such a picture is scaled in full colour.

#include "gui/workarounds/faults.h"
#include "gui/workarounds/workarounds.h"

namespace tolvaren {

QImage smoothlyScaled(const QImage &picture, QSize size)
{
    static const bool crashes = workarounds::runningQtHas(workarounds::Fault::SmoothScalingIndexed8Crashes);
    const QImage &scaled = crashes && picture.format() == QImage::Format_Indexed8
                               ? picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                               : picture;
    return scaled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace tolvaren

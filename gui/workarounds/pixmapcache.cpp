// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// The pixmap cache. Styles name every pixmap they cache after the palette
// of the control they drew, and Qt 6.4.2 keeps what it holds for those
// names past their pixmaps, however small the cache is kept: with every
// converter form bringing new palettes, each category switch would leave
// kilobytes behind. To see it: draw a QPushButton with 6,000 palettes, the
// cache limited to 64 KB, and watch the resident memory grow by more than a
// megabyte. No Qt bug report found. Nothing here is drawn often enough to
// need the cache, so it is switched off.

#include "gui/workarounds/parts.h"

#include <QPixmapCache>

void tolvaren::workarounds::installPixmapCache() { QPixmapCache::setCacheLimit(0); }

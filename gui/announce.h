// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

class QWidget;

namespace tolvaren {

// Tells screen readers what a command just did ("Result 16.404 Feet",
// "Cleared") in `window`, while the focus stays where it is.
void announce(QWidget *window, const QString &text);

} // namespace tolvaren

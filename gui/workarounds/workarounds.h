// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

class QLineEdit;

namespace tolvaren {

// Every workaround of a fault of Qt this program needs lives in this folder,
// one file per fault, each saying what Qt does wrong, on which version and
// how to see it; once Debian ships a Qt that does right, that file goes.
// Call once, after the QApplication exists.
void installQtWorkarounds();

// Selects all of `edit`'s text without telling screen readers of the new
// selection: for a box that takes the focus, which they read whole anyway.
void selectAllQuietly(QLineEdit *edit);

} // namespace tolvaren

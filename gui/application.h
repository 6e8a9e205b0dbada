// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "gui/version.h"

namespace tolvaren {

// The main window's caption, also the title of the overflow error box. The
// main window's design draws the same text; the build checks that it names
// this version.
inline constexpr const char *kProgramCaption = "Tolvaren v" TOLVAREN_VERSION;
inline constexpr const char *kDesktopId = "org.tolvaren.Tolvaren";

// Before the QApplication is made: what must be decided before Qt starts.
void prepareApplication();
// Once the QApplication exists: its names, Qt's own texts in the desktop's
// language, the faces the forms ask for and the caches it keeps. The tests set up their application the same way.
void setUpApplication();

} // namespace tolvaren

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "version.h"

namespace tolvaren {

inline constexpr const char *kDesktopId = TOLVAREN_DESKTOP_ID;

// Before the QApplication is made: what must be decided before Qt starts,
// and the version, which --version tells.
void prepareApplication();
// Once the QApplication exists: its names, Qt's own texts in the desktop's
// language, the faces the forms ask for and the caches it keeps. The tests set up their application the same way.
void setUpApplication();

} // namespace tolvaren

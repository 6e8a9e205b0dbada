// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "core/placeholders.h"
#include "forms/design.h"
#include "version.h"

// The design of every window, as data the builder turns into widgets, one
// file per window. The unit lists and the output box open with the
// engine's own placeholder texts, by which Convert tells a list that
// nothing was picked in.
namespace tolvaren::design {

// The main window's caption, the program's name and version.
inline constexpr const char *kMainCaption = "Tolvaren v" TOLVAREN_VERSION;
const Form &mainForm();
// The size the main window opens at, in twips: border, title bar and menu bar
// included.
struct OuterSize {
    int width = 0, height = 0;
};
OuterSize mainOuterSize();
const MainMenus &mainMenus();
const Form &welcomeForm();
const Form &prefixForm();
const Form &aboutForm();

} // namespace tolvaren::design

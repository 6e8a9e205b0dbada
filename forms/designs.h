// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/design.h"

// Each window's design lives in a file of its own.
namespace tolvaren::design {

const Form &mainForm();
const MainMenus &mainMenus();
const Form &welcomeForm();
const Form &prefixForm();
const Form &aboutForm();

} // namespace tolvaren::design

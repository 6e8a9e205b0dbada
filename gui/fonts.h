// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tolvaren {

// The forms name faces that a Debian desktop does not ship; map each to a
// close stand-in from the installed font packages. Missing stand-ins fall
// back to the toolkit's own choice.
void installFontSubstitutes();

} // namespace tolvaren

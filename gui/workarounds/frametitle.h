// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

class QString;

namespace tolvaren::workarounds {

// The width a window needs to show the whole of `title` in the window
// frame Qt draws itself on Wayland; nothing where Qt draws none.
std::optional<int> titleWidthInQtFrame(const QString &title);

} // namespace tolvaren::workarounds

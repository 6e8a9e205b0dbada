// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

// Built only by the core_rejects_widget_includes test, which expects this
// include to fail: the core library has no Qt on its include path.
#include "core/convert.h"
#include <QWidget>

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <string_view>

namespace tolvaren {

// The engine and the form designs keep their texts as UTF-8 string views.
inline QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace tolvaren

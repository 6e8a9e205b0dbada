// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

namespace tolvaren {

// Form designs measure in twips, 1/1440 inch: 15 twips are one pixel at 96
// dots per inch. Qt's own high-dpi scaling takes it from there.
constexpr int twipsToPixels(int twips) { return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15); }

} // namespace tolvaren

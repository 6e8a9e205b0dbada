// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "categories/category.h"

namespace tolvaren {
// The measurement types, each defined in a file of its own. The list of
// them all pairs each with its converter form (forms/converters.h).
const Category &distanceCategory();
const Category &massCategory();
const Category &temperatureCategory();
const Category &volumeCategory();
const Category &speedCategory();
const Category &timeCategory();

} // namespace tolvaren

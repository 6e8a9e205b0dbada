// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/category.h"

#include <array>

namespace tolvaren {

// Each measurement type lives in a file of its own. A new one is that file,
// its getter named in the declaration below and listed in allCategories().
const Category &distanceCategory(), &massCategory(), &temperatureCategory(), &volumeCategory(), &speedCategory(),
    &timeCategory();

std::span<const Category *const> allCategories()
{
    static const std::array all{&distanceCategory(), &massCategory(),  &temperatureCategory(),
                                &volumeCategory(),   &speedCategory(), &timeCategory()};
    return all;
}

const Category *findCategory(CategoryId id)
{
    for (const Category *c : allCategories())
        if (c->id == id)
            return c;
    return nullptr;
}

} // namespace tolvaren

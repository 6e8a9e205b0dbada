// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// Each converter form's design lives in a file of its own. A new one is that
// file, its getter named in the declaration below and listed in
// converterForms().
const Form &distanceForm(), &massForm(), &tempForm(), &volumeForm(), &speedForm(), &timeForm();

std::span<const Form *const> converterForms()
{
    static const std::array all{&distanceForm(), &massForm(), &tempForm(), &volumeForm(), &speedForm(), &timeForm()};
    return all;
}

const Form *converterForm(CategoryId category)
{
    for (const Form *f : converterForms())
        if (f->category == category)
            return f;
    return nullptr;
}

} // namespace tolvaren::design

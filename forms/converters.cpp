// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/converters.h"
#include "categories/categories.h"

#include <array>

namespace tolvaren::design {

// Each converter form's design lives in a file of its own.
const Form &distanceForm(), &massForm(), &tempForm(), &volumeForm(), &speedForm(), &timeForm();

std::span<const Converter> converters()
{
    // A new measurement type is one line here and its design getter in the
    // declaration above, beside its category file (with its getter declared
    // in categories/categories.h), its design file and its picture.
    static const auto all = std::to_array<Converter>({
        {distanceCategory(), distanceForm()},
        {massCategory(), massForm()},
        {temperatureCategory(), tempForm()},
        {volumeCategory(), volumeForm()},
        {speedCategory(), speedForm()},
        {timeCategory(), timeForm()},
    });
    return all;
}

const Form *converterForm(const Category &category)
{
    for (const Converter &c : converters())
        if (&c.category == &category)
            return &c.form;
    return nullptr;
}

} // namespace tolvaren::design

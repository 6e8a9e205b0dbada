// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/design.h"

#include <span>

namespace tolvaren::design {

// A measurement type and the converter form that shows it.
struct Converter {
    const Category &category;
    const Form &form;
};

// Every measurement type with its converter form, once each, in the order
// the program lists them. This is the one list of the types: whatever must
// cover them all walks it.
std::span<const Converter> converters();

// The converter form of this measurement type, or nullptr.
const Form *converterForm(const Category &category);

} // namespace tolvaren::design

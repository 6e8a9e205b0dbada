// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The distance form. The unit lists come from the distance table, so the
// items are written once.
const Form &distanceForm()
{
    const auto units = distanceCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 2280, 120, 2175, 975, 15).picture(":/distance.png").describe("A tape measure and a ruler"),
        control("Frame1", Kind::Frame, "Measurment type", 1560, 2520, 2895, 975, 9)
            .back(rgb(128, 0, 0))
            .fore(rgb(192, 255, 192)),
        control("Command7", Kind::Button, "Speed", 1920, 240, 735, 255, 14).in("Frame1").opens(speedCategory()),
        control("Command6", Kind::Button, "Time", 1080, 600, 735, 255, 13).in("Frame1").opens(timeCategory()),
        control("Command5", Kind::Button, "Vol", 1080, 240, 735, 255, 12).in("Frame1").opens(volumeCategory()),
        control("Command4", Kind::Button, "Temp", 240, 600, 735, 255, 11).in("Frame1").opens(temperatureCategory()),
        control("Command3", Kind::Button, "Mass", 240, 240, 735, 255, 10).in("Frame1").opens(massCategory()),
        control("Command2", Kind::Button, "New", 240, 3120, 1095, 375, 5).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 240, 2640, 1095, 375, 4).as(Role::Convert),
        control("distouttxt", Kind::TextBox, kOutputPlaceholder, 240, 2040, 2175, 285, 3).as(Role::Output).back(rgb(255, 224, 192)),
        control("Combo2", Kind::ComboBox, kToPlaceholder, 2640, 2040, 1695, 315, 2).as(Role::To).items(units),
        control("Combo1", Kind::ComboBox, kFromPlaceholder, 2640, 1320, 1695, 315, 1).as(Role::From).items(units),
        control("distintxt", Kind::TextBox, "", 240, 1320, 2175, 315, 0).as(Role::Input),
        control("Label3", Kind::Label, "  Distance", 0, 240, 4695, 615)
            .font("MS Sans Serif", 24)
            .fore(rgb(255, 192, 192))
            .back(rgb(192, 0, 0)),
        control("Label1", Kind::Label, "Input value here:", 240, 1080, 1575, 255).buddy("distintxt").fore(rgb(255, 192, 192)),
        control("Label2", Kind::Label, "is equal to", 1920, 1680, 855, 255).buddy("distouttxt").fore(rgb(255, 192, 192)),
    });
    // clang-format on
    static const Form f{
        .name = "Distance",
        .caption = "Distance",
        .clientWidth = 4680,
        .clientHeight = 3735,
        .backColour = rgb(128, 64, 64),
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

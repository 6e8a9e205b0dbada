// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The mass form. The from-list holds tab index 0, so it has the focus when
// the form opens; the category buttons are visited from "Speed" back to
// "Distance".
const Form &massForm()
{
    const auto units = massCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 360, 120, 1695, 1095, 15).picture(":/mass.png").describe("A balance scale"),
        control("Frame1", Kind::Frame, "Measurment type", 120, 2160, 1935, 1335, 9)
            .back(rgb(128, 128, 128))
            .fore(rgb(192, 255, 192)),
        control("Command3", Kind::Button, "Distance", 240, 240, 1095, 255, 14).in("Frame1").opens(distanceCategory()),
        control("Command4", Kind::Button, "Temp", 240, 600, 735, 255, 13).in("Frame1").opens(temperatureCategory()),
        control("Command5", Kind::Button, "Vol", 1080, 960, 735, 255, 12).in("Frame1").opens(volumeCategory()),
        control("Command6", Kind::Button, "Time", 1080, 600, 735, 255, 11).in("Frame1").opens(timeCategory()),
        control("Command7", Kind::Button, "Speed", 240, 960, 735, 255, 10).in("Frame1").opens(speedCategory()),
        control("Command2", Kind::Button, "New", 240, 1800, 1815, 255, 8).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 240, 1440, 1815, 255, 5).as(Role::Convert),
        control("Massc2", Kind::ComboBox, kToPlaceholder, 2280, 3000, 2055, 315, 3).as(Role::To).items(units),
        control("massouttxt", Kind::TextBox, kOutputPlaceholder, 2280, 2640, 2055, 285, 2).as(Role::Output)
            .back(rgb(255, 224, 192)),
        control("massintxt", Kind::TextBox, "", 2280, 1320, 2055, 315, 1).as(Role::Input),
        control("Massc1", Kind::ComboBox, kFromPlaceholder, 2280, 1680, 2055, 315, 0).as(Role::From).items(units),
        control("fghf", Kind::Label, "Input value here:", 2280, 1080, 1575, 255, 7).buddy("massintxt").fore(rgb(255, 224, 192)),
        control("Label2", Kind::Label, "MASS", -480, 0, 5055, 735, 6)
            .back(rgb(192, 192, 192))
            .fore(rgb(64, 64, 64))
            .font("NewZurica", 36),
        control("Label1", Kind::Label, "is equal to", 2640, 2160, 855, 255, 4).buddy("massouttxt").fore(rgb(255, 224, 192)),
    });
    // clang-format on
    static const Form f{
        .name = "mass",
        .caption = "Mass",
        .clientWidth = 4650,
        .clientHeight = 3705,
        .backColour = rgb(128, 128, 128),
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

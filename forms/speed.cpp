// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The speed form. It shares the welcome form's background image; its frame
// caption keeps the system text colour.
const Form &speedForm()
{
    const auto units = speedCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 1920, 120, 2535, 1095, 15).picture(":/speed.png").describe("A speedometer"),
        control("Frame1", Kind::Frame, "Measurement Type", 120, 2880, 4455, 735, 9).back(rgb(192, 192, 255)),
        control("Command7", Kind::Button, "Time", 3600, 360, 735, 255, 14).in("Frame1").opens(timeCategory()),
        control("Command6", Kind::Button, "Vol", 2760, 360, 735, 255, 13).in("Frame1").opens(volumeCategory()),
        control("Command5", Kind::Button, "Temp", 1920, 360, 735, 255, 12).in("Frame1").opens(temperatureCategory()),
        control("Command4", Kind::Button, "Mass", 1200, 360, 615, 255, 11).in("Frame1").opens(massCategory()),
        control("Command3", Kind::Button, "Distance", 120, 360, 975, 255, 10).in("Frame1").opens(distanceCategory()),
        control("Command2", Kind::Button, "New", 240, 2400, 1335, 255, 5).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 240, 1920, 1335, 375, 4).as(Role::Convert),
        control("Spdc2", Kind::ComboBox, kToPlaceholder, 2640, 2400, 1695, 315, 3).as(Role::To).items(units),
        control("spdouttxt", Kind::TextBox, kOutputPlaceholder, 2640, 2040, 1695, 285, 2).as(Role::Output).back(rgb(255, 224, 192)).font("MS Sans Serif", 7.5),
        control("Spdc1", Kind::ComboBox, kFromPlaceholder, 2040, 1440, 1575, 315, 1).as(Role::From).items(units),
        control("spdintxt", Kind::TextBox, "", 240, 1440, 1575, 285, 0).as(Role::Input),
        control("Label3", Kind::Label, "Input value here", 240, 1200, 1335, 255).buddy("spdintxt"),
        // Two lines high: "to" goes on the second line.
        control("Label2", Kind::Label, "is equal       to", 1920, 1920, 615, 495).buddy("spdouttxt").wrap(),
        control("Label1", Kind::Label, "  Speed", -120, 120, 4815, 615)
            .font("Times New Roman", 26.25, false, true)
            .fore(rgb(0, 0, 255))
            .back(rgb(0, 255, 255)),
    });
    // clang-format on
    // No client size was drawn for this form; it takes the distance form's.
    static const Form f{
        .name = "Speed",
        .caption = "Speed",
        .clientWidth = 4680,
        .clientHeight = 3735,
        .backColour = rgb(192, 192, 192),
        .backgroundPicture = ":/selection-background.png",
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

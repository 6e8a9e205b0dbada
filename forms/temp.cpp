// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The temperature form. The from-list holds tab index 0, so it has the focus
// when the form opens.
const Form &tempForm()
{
    const auto units = temperatureCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 2760, 0, 1815, 1335, 15).picture(":/temp.png").describe("A thermometer"),
        control("Frame1", Kind::Frame, "Measurment type", 2520, 2160, 1935, 1335, 9)
            .back(rgb(128, 128, 0))
            .fore(rgb(192, 192, 255)),
        control("Command3", Kind::Button, "Mass", 240, 240, 735, 255, 14).in("Frame1").opens(massCategory()),
        control("Command4", Kind::Button, "Distance", 240, 960, 975, 255, 13).in("Frame1").opens(distanceCategory()),
        control("Command5", Kind::Button, "Vol", 1080, 240, 735, 255, 12).in("Frame1").opens(volumeCategory()),
        control("Command6", Kind::Button, "Time", 1080, 600, 735, 255, 11).in("Frame1").opens(timeCategory()),
        control("Command7", Kind::Button, "Speed", 240, 600, 735, 255, 10).in("Frame1").opens(speedCategory()),
        control("Command2", Kind::Button, "New", 3720, 1560, 735, 375, 8).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 2640, 1560, 975, 375, 6).as(Role::Convert),
        control("tempouttxt", Kind::TextBox, kOutputPlaceholder, 240, 2400, 2055, 285, 3).as(Role::Output).back(rgb(255, 224, 192)),
        control("Tempc2", Kind::ComboBox, kToPlaceholder, 240, 2760, 2055, 315, 2).as(Role::To).items(units),
        control("tempintxt", Kind::TextBox, "", 240, 1080, 2175, 285, 1).as(Role::Input),
        control("Tempc1", Kind::ComboBox, kFromPlaceholder, 240, 1440, 2175, 315, 0).as(Role::From).items(units),
        control("Label3", Kind::Label, "  Temperature", -120, 0, 2895, 615, 7)
            .back(rgb(192, 192, 0))
            .fore(rgb(0, 0, 0))
            .font("Arial Black", 18),
        control("Label2", Kind::Label, "Input value here", 240, 840, 1575, 255, 5).buddy("tempintxt").fore(rgb(128, 255, 128)),
        control("Label1", Kind::Label, "is equal to", 720, 1920, 1215, 255, 4).buddy("tempouttxt").fore(rgb(0, 255, 0)),
    });
    // clang-format on
    static const Form f{
        .name = "Temp",
        .caption = "Temperature",
        .clientWidth = 4650,
        .clientHeight = 3705,
        .backColour = rgb(128, 128, 0),
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The time form: the category buttons stand in one row across a wide frame,
// and Tab visits them from "Speed" back to "Mass".
const Form &timeForm()
{
    const auto units = timeCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 2400, 600, 2175, 1455, 15).picture(":/time.png").describe("A clock and an hourglass"),
        control("Frame1", Kind::Frame, "Measurment type", 120, 2880, 4455, 615, 9)
            .back(rgb(0, 128, 128))
            .fore(rgb(255, 192, 255)),
        control("Command3", Kind::Button, "Mass", 120, 240, 735, 255, 14).in("Frame1").opens(massCategory()),
        control("Command4", Kind::Button, "Temp", 2640, 240, 735, 255, 13).in("Frame1").opens(temperatureCategory()),
        control("Command5", Kind::Button, "Vol", 960, 240, 735, 255, 12).in("Frame1").opens(volumeCategory()),
        control("Command6", Kind::Button, "Distance", 3480, 240, 855, 255, 11).in("Frame1").opens(distanceCategory()),
        control("Command7", Kind::Button, "Speed", 1800, 240, 735, 255, 10).in("Frame1").opens(speedCategory()),
        control("Command2", Kind::Button, "New", 3480, 2280, 735, 375, 5).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 2400, 2280, 975, 375, 4).as(Role::Convert),
        control("Timec2", Kind::ComboBox, kToPlaceholder, 240, 2280, 1935, 315, 3).as(Role::To).items(units),
        control("timeouttxt", Kind::TextBox, kOutputPlaceholder, 240, 1920, 1935, 285, 2).as(Role::Output).back(rgb(255, 224, 192)),
        control("Timec1", Kind::ComboBox, kFromPlaceholder, 240, 1080, 1815, 315, 1).as(Role::From).items(units),
        control("timeintxt", Kind::TextBox, "", 240, 720, 1815, 285, 0).as(Role::Input),
        control("Label3", Kind::Label, "   Time", 2280, 0, 2535, 615)
            .font("Rockwell", 27.75)
            .fore(rgb(192, 255, 192))
            .back(rgb(0, 128, 0)),
        control("Label2", Kind::Label, "Input value here", 240, 480, 1455, 255).buddy("timeintxt").fore(rgb(192, 255, 255)),
        control("Label1", Kind::Label, "is equal to", 720, 1560, 855, 255).buddy("timeouttxt").fore(rgb(192, 255, 255)),
    });
    // clang-format on
    // No client size was drawn for this form; it takes the distance form's.
    static const Form f{
        .name = "Time",
        .caption = "Time",
        .clientWidth = 4680,
        .clientHeight = 3735,
        .backColour = rgb(0, 128, 128),
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

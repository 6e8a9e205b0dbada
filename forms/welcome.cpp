// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The welcome form: six category buttons in a grid of two columns, the
// welcome banner (which starts left of the form's edge on purpose) and a
// picture, over the shared background image.
const Form &welcomeForm()
{
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Command1", Kind::Button, "Distance", 480, 2160, 1455, 375, 0).opens(distanceCategory()),
        control("Command2", Kind::Button, "Mass", 2640, 2160, 1455, 375, 1).opens(massCategory()),
        control("Command3", Kind::Button, "Temperature", 480, 2640, 1455, 375, 2).opens(temperatureCategory()),
        control("Command4", Kind::Button, "Volume", 480, 1680, 1455, 375, 3).opens(volumeCategory()),
        control("Command5", Kind::Button, "Time", 2640, 1680, 1455, 375, 4).opens(timeCategory()),
        control("Label1", Kind::Label, "        Welcome", -960, 0, 6615, 615, 5)
            .font("Moderne", 24)
            .fore(rgb(0, 255, 255))
            .back(rgb(0, 0, 192)),
        control("Label2", Kind::Label, "        Select a  Measurment Type", 240, 840, 1935, 495, 6)
            .font("MS Sans Serif", 9.75, true)
            .fore(rgb(192, 0, 0))
            .transparent()
            .wrap(),
        control("Command6", Kind::Button, "Speed", 2640, 2640, 1455, 375, 7).opens(speedCategory()),
        control("Picture1", Kind::PictureBox, "", 2520, 120, 2055, 1335, 8).picture(":/selection.png").describe("A thermometer, a clock, a balance scale and a ruler"),
    });
    // clang-format on
    static const Form f{
        .name = "Selection",
        .caption = "Open",
        .clientWidth = 4680,
        .clientHeight = 3195,
        .backSystem = SystemColour::Menu,
        .backgroundPicture = ":/selection-background.png",
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

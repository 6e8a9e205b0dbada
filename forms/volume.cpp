// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "categories/categories.h"
#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The volume form. The from-list holds tab index 0, so it has the focus when
// the form opens.
const Form &volumeForm()
{
    const auto units = volumeCategory().units;
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Picture1", Kind::PictureBox, "", 2520, 120, 2055, 1215, 15).picture(":/volume.png").describe("A measuring jug and a measuring cylinder"),
        control("Frame1", Kind::Frame, "Measurment type", 120, 2280, 2055, 1335, 9)
            .back(rgb(192, 192, 255))
            .fore(rgb(128, 0, 0)),
        control("Command3", Kind::Button, "Mass", 240, 240, 735, 255, 14).in("Frame1").opens(massCategory()),
        control("Command4", Kind::Button, "Temp", 240, 600, 735, 255, 13).in("Frame1").opens(temperatureCategory()),
        control("Command5", Kind::Button, "Distance", 240, 960, 975, 255, 12).in("Frame1").opens(distanceCategory()),
        control("Command6", Kind::Button, "Time", 1080, 600, 735, 255, 11).in("Frame1").opens(timeCategory()),
        control("Command7", Kind::Button, "Speed", 1080, 240, 735, 255, 10).in("Frame1").opens(speedCategory()),
        control("Command2", Kind::Button, "New", 3600, 1680, 855, 375, 8).as(Role::Clear),
        control("Command1", Kind::Button, "Convert", 2520, 1680, 975, 375, 6).as(Role::Convert),
        control("volouttxt", Kind::TextBox, kOutputPlaceholder, 2400, 2640, 2055, 285, 3).as(Role::Output).back(rgb(255, 224, 192)),
        control("Volc2", Kind::ComboBox, kToPlaceholder, 2400, 3000, 2055, 315, 2).as(Role::To).items(units),
        control("volintxt", Kind::TextBox, "", 240, 1320, 2055, 285, 1).as(Role::Input),
        control("Volc1", Kind::ComboBox, kFromPlaceholder, 240, 1680, 2055, 315, 0).as(Role::From).items(units),
        control("Label3", Kind::Label, " Volume", 0, 120, 4695, 735, 7)
            .back(rgb(0, 0, 192))
            .fore(rgb(192, 192, 255))
            .font("OCR A Extended", 27.75),
        control("Label2", Kind::Label, "is equal to", 2400, 2280, 975, 255, 5).buddy("volouttxt"),
        control("Label1", Kind::Label, "Input value here", 240, 1080, 1815, 255, 4).buddy("volintxt"),
    });
    // clang-format on
    static const Form f{
        .name = "Volume",
        .caption = "Volume",
        .clientWidth = 4680,
        .clientHeight = 3735,
        .backColour = rgb(192, 192, 255),
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"
#include "version.h"

#include <array>

namespace tolvaren::design {

// The About box; its title names the program's version. The two lines, one
// array of two, make an etched separator, a grey line drawn over a white
// one; each runs from (left, top) to (width, height) read as x2, y2.
const Form &aboutForm()
{
    // clang-format off
    static constexpr auto controls = std::to_array<Control>({
        control("cmdOK", Kind::Button, "OK", 4320, 2640, 1260, 345, 0).defaultButton().describe("Close this box").as(Role::Ok),
        control("picIcon", Kind::PictureBox, "", 240, 240, 540, 540, 1).picture(":/about-32.png").describe("The program's emblem"),
        control("lblDescription", Kind::Label,
                "Description: Converts measurements. Like kg to tons, miles to km, knots ot km/h, quarts to liters "
                "and many more. In full and colorful design.",
                1080, 720, 3885, 570, 2)
            .fore(rgb(0, 0, 0))
            .font("MS Sans Serif", 7.5)
            .wrap(),
        control("lblDisclaimer", Kind::Label,
                "Tolvaren is free software: use, copy and share it freely. It comes with no warranty; check "
                "important results yourself.",
                120, 2640, 4095, 825, 3)
            .fore(rgb(0, 0, 0))
            .wrap(),
        control("lblTitle", Kind::Label, "Tolvaren   v" TOLVAREN_VERSION, 1080, 240, 3885, 480, 4)
            .font("MS Sans Serif", 13.5)
            .fore(rgb(128, 64, 0)),
        control("Label1", Kind::Label, "By the developers", 1080, 1440, 1695, 255, 5),
        control("Label2", Kind::Label, "E-mail: see project page", 1080, 1680, 2535, 255, 6),
        control("Label3", Kind::Label, "Web: the Tolvaren project page", 1080, 1920, 3015, 255, 7),
        control("Line1", Kind::Line, "", 120, 2400, 5669, 2400).element(0).fore(rgb(255, 255, 255)).lineWidth(2),
        control("Line1", Kind::Line, "", 120, 2400, 5684, 2400).element(1).fore(rgb(128, 128, 128)).lineWidth(1),
    });
    // clang-format on
    static const Form f{
        .name = "frmAbout",
        .caption = "About MyApp",
        .clientWidth = 5730,
        .clientHeight = 3555,
        .border = Border::FixedDialog,
        .icon = {":/about-32.png", ":/about-16.png"},
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

#include "core/prefix.h"

#include <array>
#include <vector>

namespace tolvaren::design {

namespace {
// The list items are the prefix table's names, so they are written once.
std::vector<std::string_view> prefixNames()
{
    std::vector<std::string_view> names;
    for (const Prefix &prefix : prefixTable())
        names.push_back(prefix.name);
    return names;
}
} // namespace

// The prefix converter: a window of its own, shown modally from the main
// window's File menu. The list holds the focus when it opens.
const Form &prefixForm()
{
    static const std::vector<std::string_view> names = prefixNames();
    // clang-format off
    static const auto controls = std::to_array<Control>({
        control("Command2", Kind::Button, "Close", 3000, 3000, 1215, 375, 4).named("", "Close the prefix converter").as(Role::Close),
        control("Command1", Kind::Button, "Go", 240, 3000, 1215, 375, 3).named("", "Scale the input value by the selected prefix").as(Role::Go),
        control("prefouttxt", Kind::TextBox, kOutputPlaceholder, 240, 1920, 4095, 285, 2).named("Result", "The scaled value").as(Role::Output).back(rgb(255, 224, 192)),
        control("prefintxt", Kind::TextBox, "1", 240, 1200, 1815, 285, 1).named("Input value", "The number to scale").as(Role::Input),
        control("Prefixlst", Kind::ListBox, "", 2400, 600, 1575, 1035, 0).named("Prefix", "The metric prefix to scale the input value by").as(Role::Prefix).items(names),
        control("Label3", Kind::Label, "    Prefix", 0, 120, 2175, 495)
            .font("MS Sans Serif", 24)
            .fore(rgb(128, 0, 128))
            .back(rgb(255, 255, 192)),
        control("Label2", Kind::Label, "Prefix:", 2400, 360, 1335, 255).buddy("Prefixlst"),
        // No accessible name: screen readers then read its text, the power of
        // ten the last Go applied.
        control("prefpreflbl", Kind::Label, "", 600, 2400, 3255, 255).describe("The power of ten the last Go applied").as(Role::PrefixCaption),
        control("Label1", Kind::Label, "Input value here:", 240, 960, 1575, 255).buddy("prefintxt"),
    });
    // clang-format on
    static const Form f{
        .name = "Prefix",
        .caption = "Measurment Prefix",
        .clientWidth = 4680,
        .clientHeight = 3525,
        .border = Border::FixedWindow,
        .controls = controls,
    };
    return f;
}

} // namespace tolvaren::design

// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

#include <array>

namespace tolvaren::design {

// The main window is the MDI parent and is built by hand; its design only
// gives the caption, the client size it was drawn at, the workspace colour
// and the icon. Its border is not used.
const Form &mainForm()
{
    static const Form f{
        .name = "Main",
        .caption = "Tolvaren v1.10",
        .clientWidth = 4860,
        .clientHeight = 3855,
        .backSystem = SystemColour::AppWorkspace,
        .icon = {":/tolvaren-32.png", ":/tolvaren-16.png"},
    };
    return f;
}

std::span<const MenuItem> mainMenu()
{
    // clang-format off
    static constexpr std::array<MenuItem, 8> items{{
        {"file", "File", "prefconv", "Prefix Converter", Command::PrefixConverter},
        {"file", "File", "l111", "-"},
        {"file", "File", "refmem", "Refresh Memory", Command::RefreshMemory},
        {"file", "File", "origsize", "View Original Size", Command::OriginalSize},
        {"file", "File", "l1", "-"},
        {"file", "File", "exx", "Exit", Command::Exit},
        {"helpp", "Help", "hlptop", "Help Topics", Command::HelpTopics},
        {"helpp", "Help", "about", "About", Command::About},
    }};
    // clang-format on
    return items;
}

} // namespace tolvaren::design

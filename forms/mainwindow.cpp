// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

namespace tolvaren::design {

// The main window is the MDI parent and is built by hand: it takes the
// workspace colour and the icon from here. The caption is shown as the
// project's version makes it, and the build checks that it reads as drawn
// here; the client size is the one it was drawn at, while the window opens
// at its designed outer size.
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

const MainMenus &mainMenus()
{
    static constexpr MainMenus menus{
        .file = {"file", "File"},
        .prefixConverter = {"prefconv", "Prefix Converter"},
        .fileLine1 = {"l111", "-"},
        .refreshMemory = {"refmem", "Refresh Memory"},
        .originalSize = {"origsize", "View Original Size"},
        .fileLine2 = {"l1", "-"},
        .exit = {"exx", "Exit"},
        .help = {"helpp", "Help"},
        .helpTopics = {"hlptop", "Help Topics"},
        .about = {"about", "About"},
    };
    return menus;
}

} // namespace tolvaren::design

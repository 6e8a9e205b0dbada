// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

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

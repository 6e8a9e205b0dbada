// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "forms/designs.h"

namespace tolvaren::design {

// The main window is the MDI parent and is built by hand: it takes its
// caption, the workspace colour and the icon from here, and opens at its outer
// size; what it holds inside is the size left over.
const Form &mainForm()
{
    static const Form f{
        .name = "Main",
        .caption = kMainCaption,
        .backSystem = SystemColour::AppWorkspace,
        .icon = {":/tolvaren-32.png", ":/tolvaren-16.png"},
    };
    return f;
}

OuterSize mainOuterSize() { return {4980, 4500}; }

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

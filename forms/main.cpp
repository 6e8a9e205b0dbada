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
    static constexpr std::array<MenuItem, 8> items{{
        {"file", "File", "prefconv", "Prefix Converter"},
        {"file", "File", "l111", "-"},
        {"file", "File", "refmem", "Refresh Memory"},
        {"file", "File", "origsize", "View Original Size"},
        {"file", "File", "l1", "-"},
        {"file", "File", "exx", "Exit"},
        {"helpp", "Help", "hlptop", "Help Topics"},
        {"helpp", "Help", "about", "About"},
    }};
    return items;
}

} // namespace tolvaren::design

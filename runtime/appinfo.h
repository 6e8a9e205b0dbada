#pragma once

namespace tolvaren {

// The main window's caption, also the title of the overflow error box.
inline constexpr const char *kProgramCaption = "Tolvaren v1.10";
inline constexpr const char *kDesktopId = "org.tolvaren.Tolvaren";

} // namespace tolvaren

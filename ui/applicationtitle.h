// The application title used by captions, message boxes and the settings folder.
#pragma once

namespace tintora {

// The application title: the main window's caption, the title of every message box and
// the name under which the settings folder is found.
inline constexpr char kApplicationTitle[] = "Tintora";

}  // namespace tintora

// The application's name, desktop id, style and font substitutes, for the editor and the screenshot tool.
#pragma once

namespace tintora {

// The reverse-DNS id under which the desktop entry, the icon and the AppStream metadata are
// installed.
inline constexpr char kApplicationId[] = "app.tintora.Tintora";

// What the editor sets on the application before its first window: the name (also the X11
// window class and the settings folder), the id that ties its windows to the desktop entry on
// Wayland, the classic style the form was laid out for and the substitutes of its font. The
// program and the screenshot tool look the same through it.
void ApplyApplicationLook();

}  // namespace tintora

// The project's contact address.
#pragma once

namespace tintora {

// The project's contact address, shown in the About box and opened as a "mailto:" link.
inline constexpr char kContactAddress[] = "support@tintora.app";

}  // namespace tintora

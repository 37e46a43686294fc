#pragma once

namespace tintora {

// Whether Open, Save and activation work on computer files or on the connected phone.
enum class WorkMode { Computer, Phone };

}  // namespace tintora

#pragma once

namespace tintora {

// Registers the program's compiled-in resources (":/1stSortie.ttf", ":/UPSTRING.bmp" ...).
// They sit in a static library, whose unreferenced registration a linker would drop; calling
// this keeps it. Safe to call any number of times.
void EnsurePreviewResources();

}  // namespace tintora

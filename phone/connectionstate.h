#pragma once

#include "phonelibrary.h"
#include "workmode.h"

#include <cstdint>

namespace tintora {


// The work mode and whether the Connect command may be used. Status
// answers other than 0 and 1 change nothing. A phone gone while connected
// ends phone mode: there is nothing left to disconnect from.
struct ConnectionState {
    WorkMode workMode = WorkMode::Computer;
    bool connectEnabled = false;

    // The once-a-second poll: asks the status twice. True when it ended phone
    // mode because the phone had gone.
    bool poll(PhoneLibrary &phone);
    // The connect command: asks the status twice. The window then re-applies
    // its captions (applyLanguage), which also repaints the status icon.
    void toggle(PhoneLibrary &phone);
};

}  // namespace tintora

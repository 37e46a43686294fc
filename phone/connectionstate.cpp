#include "connectionstate.h"

namespace tintora {

bool ConnectionState::poll(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1 && workMode == kComputerMode)
        connectEnabled = true;
    if (phone.P2K_GetStatus() != 0)
        return false;
    const bool gone = workMode == kPhoneMode;
    workMode = kComputerMode;
    connectEnabled = false;
    return gone;
}

void ConnectionState::toggle(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1)
        workMode = workMode == kComputerMode ? kPhoneMode : kComputerMode;
    if (phone.P2K_GetStatus() == 0)
        workMode = kComputerMode;
}

}  // namespace tintora

#include "connectionstate.h"

namespace tintora {

void ConnectionState::poll(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1 && workMode == kComputerMode)
        connectEnabled = true;
    if (phone.P2K_GetStatus() == 0)
        connectEnabled = workMode == kPhoneMode;
}

void ConnectionState::toggle(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1)
        workMode = workMode == kComputerMode ? kPhoneMode : kComputerMode;
    if (phone.P2K_GetStatus() == 0)
        workMode = kComputerMode;
}

}  // namespace tintora

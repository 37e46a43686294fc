#include "connectionstate.h"

namespace tintora {

bool ConnectionState::poll(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1 && workMode == WorkMode::Computer)
        connectEnabled = true;
    if (phone.P2K_GetStatus() != 0)
        return false;
    const bool gone = workMode == WorkMode::Phone;
    workMode = WorkMode::Computer;
    connectEnabled = false;
    return gone;
}

void ConnectionState::toggle(PhoneLibrary &phone)
{
    if (phone.P2K_GetStatus() == 1)
        workMode = workMode == WorkMode::Computer ? WorkMode::Phone : WorkMode::Computer;
    if (phone.P2K_GetStatus() == 0)
        workMode = WorkMode::Computer;
}

}  // namespace tintora

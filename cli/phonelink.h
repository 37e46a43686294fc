#pragma once

#include "phone/loadedphonelibrary.h"

namespace tintora::cli {

// Polls the status until the phone is in command mode or the seconds are
// over, saying on standard error what it waits for. A library that cannot
// say more than the status is waited for all the same.
bool WaitForPhone(LoadedPhoneLibrary &phone, int seconds);

// While the phone switches from modem mode, waits for it for up to the
// seconds, saying so on standard error.
void WaitForSwitch(LoadedPhoneLibrary &phone, int seconds);

// Writes a record file named SSSS_RRRR... (seem and record in hex, as the
// seem backups are) back to the phone whole; the file must be exactly as
// long as the record.
int RestoreSeem(PhoneLibrary &phone, const QString &file, bool restart);

// Prints the library's report on every Motorola device; 0 when a phone in
// command mode answered.
int ProbePhones(LoadedPhoneLibrary &phone);

}  // namespace tintora::cli

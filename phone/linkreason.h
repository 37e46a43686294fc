#pragma once

#include "scheme/colourscheme.h"

#include <QString>

namespace tintora {

// Besides P2K_LinkState's codes: no phone-link library was loaded, and the
// phone in command mode did not answer.
constexpr int kNoPhoneLibrary = -1;
constexpr int kPhoneNotAnswering = -2;

// Why the phone cannot be worked with, in the words of "tintora-cli phone
// probe", for the connect command's tooltip and the status bar; empty for a
// ready phone.
QString NoPhoneReason(int linkState, Language language);

// The note when the phone went away while the window worked with it.
QString PhoneGoneText(int linkState, Language language);

}  // namespace tintora

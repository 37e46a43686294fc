#pragma once

namespace tintora {

// Besides P2K_LinkState's codes: no phone-link library was loaded, and the
// phone in command mode did not answer.
constexpr int kNoPhoneLibrary = -1;
constexpr int kPhoneNotAnswering = -2;

}  // namespace tintora

// The words, in the language of the installed translation, for what the lower layers report:
// the catalogue's names, the design help's roles and findings, the settings file's troubles, the phone link's state, the
// background picture's reading.
#pragma once

#include "design/contrast.h"
#include "design/roles.h"
#include "phone/linkreason.h"
#include "preview/jpegpicture.h"

#include <QString>

namespace tintora {

// Empty for a number that is no element, no screen.
QString ElementName(int element);
QString ScreenCaption(int screen);
QString RoleName(Role role);

// "2 Main text: 1.00:1, APCA Lc 0.0, screen 0 Main screen at (5, 17), needs 4.5:1"
QString ContrastLine(const ContrastPlace &place);
// The refusal of a picture no suggestion reads on.
QString NoReadableSuggestionText();

// A settings write that failed, with the system's reason.
QString UnableToWriteText(const QString &path, const QString &reason);
// The note that a settings file was too large to be read (ProfileFile::isTooLarge).
QString SettingsFileTooLargeText(const QString &path);
// Why folder cannot be the phone folder (IsPhoneFolder), or an empty string.
QString PhoneFolderProblem(const QString &folder);
// The note that the phone folder stored in the settings file at path was refused.
QString RefusedPhoneFolderText(const QString &path, const QString &folder);

// Why the phone cannot be worked with (P2K_LinkState, kNoPhoneLibrary, kPhoneNotAnswering),
// in the words of "tintora-cli phone probe", for the connect command's tooltip and the
// status bar; empty for a ready phone.
QString NoPhoneReason(int linkState);
// The note when the phone went away while the window worked with it.
QString PhoneGoneText(int linkState);

// The status bar's words while a picture is read: share 0 to 1.
QString BackgroundProgressText(double share);

// The note that a picture too large to hold whole was read at reduced size.
QString ReducedPictureText(const JpegReading &reading);

// Why a picture did not load; from a file, the reason names it.
QString JpegErrorText(const JpegError &error);

// The report of a command-line argument that is not IsExactArgument.
QString InexactArgumentText(const QString &argument);

}  // namespace tintora

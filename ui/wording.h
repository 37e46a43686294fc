// The words, in the language of the installed translation, for what the lower layers report:
// the catalogue's names, the design help's roles and findings, the scheme file's and the settings
// file's troubles, the file and phone commands' messages, the phone link's state, the background
// picture's reading.
#pragma once

#include "design/contrast.h"
#include "design/roles.h"
#include "phone/commandwords.h"
#include "phone/linkreason.h"
#include "preview/jpegpicture.h"

#include <QString>

namespace tintora {

// The system's reason for a failed file operation ("Permission denied", "Access is denied.")
// in the language of the installed translation, whichever language the system gave it in.
// Reasons outside the common ones are returned as they came.
QString SystemReason(const QString &reason);

// "Cannot open NAME: REASON", the reason the system's.
QString NotOpenedText(const QString &name, const QString &reason);
// The same for an input refused unopened (IsSpecialFile).
QString NotRegularFileText(const QString &name);
QString ReadFailedText(const QString &path, const QString &reason);
QString NotSchemeText();
// A scheme file of fewer than 304 bytes, which loads with black entries behind its end.
QString ShortSchemeText(const QString &name, int size);

// What the file and phone commands say, in the interface language of the moment.
QString CommandNoteText(const CommandNote &note);
class InterfaceCommandWords final : public CommandWords {
public:
    QString text(const CommandNote &note) const override { return CommandNoteText(note); }
};

// Empty for a number that is no element, no screen.
QString ElementName(int element);
QString ScreenCaption(int screen);
QString RoleName(Role role);

// "2 Main text: 1.00:1, APCA Lc 0.0, screen 0 Main screen at (5, 17), needs 4.5:1"
QString ContrastLine(const ContrastPlace &place);
// For a reader who knows no contrast measures: "Main text: hard to read on Main screen
// (1.5 : 1, needs 4.5 : 1)", or with an Lc bound "(Lc 32, needs Lc 60)". The figures are cut,
// never rounded up to their bound.
QString ContrastSentence(const ContrastPlace &place);
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
// The phone's state at a glance, for the status bar: a short word, the whole reason for its
// tooltip (NoPhoneReason, or the word for a usable phone), and what the box opened by a click
// says: the reason and what to do about it.
struct PhoneStateTexts {
    QString word;
    QString tooltip;
    QString advice;
};
PhoneStateTexts PhoneState(int linkState, bool connected);

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

#pragma once

#include "preview/previewsettings.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tintora {

class ProfileFile;

// Everything tintora.ini holds besides the language.
struct Settings {
    PreviewSettings preview;
    QString SpColorPath;
    // A stored [Phone] SpColorPath that the phone folder's check refuses; SpColorPath then
    // holds the default.
    std::optional<QString> refusedSpColorPath;
};

// [Options] Language: the interface language's English name ("English", "Russian") as stored,
// empty when there is none.
QString ReadLanguage(const ProfileFile &file);
// What a missing tintora.ini gives, for callers that have no file to read.
Settings DefaultSettings();
// The five preview keys as the file holds them, integers not yet cut to the bits they are
// kept in: the settings dialog fills its groups from the stored values. Missing keys and
// integers that are not numbers give the defaults.
struct StoredPreviewSettings {
    QString ProviderName;
    int ClockFormat = 0;
    int DateFormat = 0;
    int PressedSoftKey = 0;
    int ChoosedDate = 0;
};
StoredPreviewSettings ReadStoredPreviewSettings(const ProfileFile &file);
// Missing keys and integers that are not numbers give the defaults, and so does a phone
// folder that IsPhoneFolder refuses.
Settings ReadSettings(const ProfileFile &file);

bool WriteLanguage(ProfileFile &file, const QString &name);
// Writes the five preview keys in order and stops at the first that fails,
// leaving the later keys as they were.
bool WritePreviewSettings(ProfileFile &file, const PreviewSettings &values,
                          std::uint16_t choosedDate);

// [Phone] SpColorPath, the phone folder of spcolor.sch, as the menu sets it.
bool WriteSpColorPath(ProfileFile &file, const QString &folder);
// Whether folder can be the phone folder: it must start with a volume such as "/a/" and hold
// printable ASCII only, which any phone can spell.
bool IsPhoneFolder(const QString &folder);

// [View] Zoom, the preview's size: 1 to kMaxPreviewZoom times; missing or out of range
// gives 1.
constexpr int kMaxPreviewZoom = 4;
int ReadPreviewZoom(const ProfileFile &file);
bool WritePreviewZoom(ProfileFile &file, int zoom);
// [View] MarkSelection: whether the preview marks the selected element's pixels; 0 turns it
// off, anything else or nothing leaves it on.
bool ReadMarkSelection(const ProfileFile &file);
bool WriteMarkSelection(ProfileFile &file, bool mark);

// [Options] ContrastBound: the bound the Contrast panel judges by, in the order its list
// offers them: 0 WCAG 2 AA, 1 WCAG AAA, 2 APCA Lc 60, 3 APCA Lc 75; missing or out of range
// gives 0.
constexpr int kContrastBoundCount = 4;
int ReadContrastBound(const ProfileFile &file);
bool WriteContrastBound(ProfileFile &file, int bound);

// Where tintora.ini lives for a program in programFolder: beside it when one is there
// already (a portable copy, the build tree), else in userFolder, the per-user
// configuration folder. On Windows a writable program folder also keeps it beside the
// program, as it always has.
QString ChooseSettingsFile(const QString &programFolder, const QString &userFolder);
// ChooseSettingsFile for the running program and the user's AppConfigLocation
// (~/.config/Tintora on Linux).
QString SettingsFilePath();

}  // namespace tintora

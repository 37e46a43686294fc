#include "settings.h"

#include "profilefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tintora {

namespace {

const QString kOptions = QStringLiteral("Options");
const QString kPhone = QStringLiteral("Phone");
const QString kView = QStringLiteral("View");
const QString kFileName = QStringLiteral("tintora.ini");

}  // namespace

QString ReadLanguage(const ProfileFile &file)
{
    return file.readString(kOptions, "Language", QString());
}

Settings DefaultSettings()
{
    Settings settings;
    settings.preview.ProviderName = QStringLiteral("BEE LINE");
    settings.preview.ClockFormat = 0;
    settings.preview.DateFormat = 2;
    settings.preview.PressedSoftKey = 3;
    settings.preview.ChoosedDate = 1;
    settings.SpColorPath = QStringLiteral("/a/mobile/system/");
    return settings;
}

StoredPreviewSettings ReadStoredPreviewSettings(const ProfileFile &file)
{
    const PreviewSettings def = DefaultSettings().preview;
    StoredPreviewSettings stored;
    stored.ProviderName = file.readString(kOptions, "ProviderName", def.ProviderName);
    stored.ClockFormat = file.readInt(kOptions, "ClockFormat", def.ClockFormat);
    stored.DateFormat = file.readInt(kOptions, "DateFormat", def.DateFormat);
    stored.PressedSoftKey = file.readInt(kOptions, "PressedSoftKey", def.PressedSoftKey);
    stored.ChoosedDate = file.readInt(kOptions, "ChoosedDate", def.ChoosedDate);
    return stored;
}

Settings ReadSettings(const ProfileFile &file)
{
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(file);
    Settings settings;
    PreviewSettings &preview = settings.preview;
    preview.ProviderName = stored.ProviderName;
    preview.ClockFormat = std::uint8_t(stored.ClockFormat);
    preview.DateFormat = std::uint8_t(stored.DateFormat);
    preview.PressedSoftKey = std::uint8_t(stored.PressedSoftKey);
    preview.ChoosedDate = std::uint16_t(stored.ChoosedDate);
    settings.SpColorPath = file.readString(kPhone, "SpColorPath", DefaultSettings().SpColorPath);
    // A folder the phone cannot spell would fail only at the first write, far from its cause.
    if (!IsPhoneFolder(settings.SpColorPath)) {
        settings.refusedSpColorPath = settings.SpColorPath;
        settings.SpColorPath = DefaultSettings().SpColorPath;
    }
    return settings;
}

bool WriteLanguage(ProfileFile &file, const QString &name)
{
    return file.writeString(kOptions, "Language", name);
}

bool WritePreviewSettings(ProfileFile &file, const PreviewSettings &values,
                          std::uint16_t choosedDate)
{
    return file.writeString(kOptions, "ProviderName", values.ProviderName)
           && file.writeInt(kOptions, "ClockFormat", values.ClockFormat)
           && file.writeInt(kOptions, "DateFormat", values.DateFormat)
           && file.writeInt(kOptions, "PressedSoftKey", values.PressedSoftKey)
           && file.writeInt(kOptions, "ChoosedDate", choosedDate);
}

bool WriteSpColorPath(ProfileFile &file, const QString &folder)
{
    return file.writeString(kPhone, "SpColorPath", folder);
}

bool IsPhoneFolder(const QString &folder)
{
    static const QRegularExpression volumeThenAscii(
        QRegularExpression::anchoredPattern(QStringLiteral("/[a-z]/[\\x20-\\x7e]*")));
    return volumeThenAscii.match(folder).hasMatch();
}

int ReadPreviewZoom(const ProfileFile &file)
{
    const int zoom = file.readInt(kView, "Zoom", 1);
    return zoom >= 1 && zoom <= kMaxPreviewZoom ? zoom : 1;
}

bool WritePreviewZoom(ProfileFile &file, int zoom)
{
    return file.writeInt(kView, "Zoom", zoom);
}

bool ReadMarkSelection(const ProfileFile &file)
{
    return file.readInt(kView, "MarkSelection", 1) != 0;
}

bool WriteMarkSelection(ProfileFile &file, bool mark)
{
    return file.writeInt(kView, "MarkSelection", mark ? 1 : 0);
}

int ReadContrastBound(const ProfileFile &file)
{
    const int bound = file.readInt(kOptions, "ContrastBound", 0);
    return bound >= 0 && bound < kContrastBoundCount ? bound : 0;
}

bool WriteContrastBound(ProfileFile &file, int bound)
{
    return file.writeInt(kOptions, "ContrastBound", bound);
}

QString ChooseSettingsFile(const QString &programFolder, const QString &userFolder)
{
    const QString beside = QDir(programFolder).filePath(kFileName);
    if (QFileInfo::exists(beside))
        return beside;
#ifdef Q_OS_WIN
    if (QFileInfo(programFolder).isWritable())
        return beside;
#endif
    return QDir(userFolder).filePath(kFileName);
}

QString SettingsFilePath()
{
    return ChooseSettingsFile(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

}  // namespace tintora

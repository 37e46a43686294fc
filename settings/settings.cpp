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

Language ReadLanguage(const ProfileFile &file)
{
    return file.readString(kOptions, "Language", "Russian") == QLatin1String("English") ? kEnglish
                                                                                      : kRussian;
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
    if (!PhoneFolderProblem(kEnglish, settings.SpColorPath).isEmpty()) {
        settings.refusedSpColorPath = settings.SpColorPath;
        settings.SpColorPath = DefaultSettings().SpColorPath;
    }
    return settings;
}

bool WriteLanguage(ProfileFile &file, Language language)
{
    return file.writeString(kOptions, "Language", language == kRussian ? "Russian" : "English");
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

QString SettingsFileTooLargeText(Language language, const QString &path)
{
    return (language == kRussian
                ? QStringLiteral("Файл настроек %1 больше 1 МиБ: он не прочитан и не будет перезаписан, "
                                 "действуют настройки по умолчанию")
                : QStringLiteral("The settings file %1 is larger than 1 MiB: it was not read and will not be "
                                 "rewritten; the default settings apply"))
        .arg(QDir::toNativeSeparators(path));
}

bool WriteSpColorPath(ProfileFile &file, const QString &folder)
{
    return file.writeString(kPhone, "SpColorPath", folder);
}

QString PhoneFolderProblem(Language language, const QString &folder)
{
    static const QRegularExpression volumeThenAscii(
        QRegularExpression::anchoredPattern(QStringLiteral("/[a-z]/[\\x20-\\x7e]*")));
    if (volumeThenAscii.match(folder).hasMatch())
        return QString();
    return (language == kRussian
                ? QStringLiteral("Папка «%1» не годится: она должна начинаться с тома, например /a/, "
                                 "и содержать только печатные знаки ASCII")
                : QStringLiteral("The folder \"%1\" will not do: it must start with a volume such as /a/ "
                                 "and hold printable ASCII characters only"))
        .arg(folder);
}

QString RefusedPhoneFolderText(Language language, const QString &path, const QString &folder)
{
    return PhoneFolderProblem(language, folder) +
           (language == kRussian ? QStringLiteral(" ([Phone] SpColorPath в %1); папка на телефоне — %2")
                                 : QStringLiteral(" ([Phone] SpColorPath in %1); the phone folder is %2"))
               .arg(QDir::toNativeSeparators(path), DefaultSettings().SpColorPath);
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

#include "inputfiles.h"

#include "failure.h"

#include "settings/profilefile.h"

#include <QFileInfo>

namespace tintora::cli {

std::optional<ColourScheme> ReadSchemeArgument(const QString &path, QString &error)
{
    const SchemeFileRead read = ReadSchemeImage(path);
    if (read.outcome == LoadOutcome::NotOpened) {
        error = QStringLiteral("cannot open %1: %2").arg(path, read.reason);
        return std::nullopt;
    }
    if (read.outcome == LoadOutcome::ReadFailed) {
        error = ReadFailedText(kEnglish, path, read.reason);
        return std::nullopt;
    }
    if (!IsSchemeImage(read.image)) {
        error = path + ": " + NotSchemeText(kEnglish);
        return std::nullopt;
    }
    ColourScheme scheme;
    DecodeScheme(scheme, read.image);
    return scheme;
}

std::optional<Settings> ReadSettingsArgument(const QString &path, QString &error)
{
    if (path.isNull())
        return DefaultSettings();
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("cannot open %1").arg(path);
        return std::nullopt;
    }
    const ProfileFile file(path);
    if (file.isTooLarge())
        Warn(SettingsFileTooLargeText(kEnglish, path));
    return ReadSettings(file);
}

}  // namespace tintora::cli

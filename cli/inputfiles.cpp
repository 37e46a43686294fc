#include "inputfiles.h"

#include "failure.h"

#include "scheme/inputfile.h"
#include "settings/profilefile.h"

#include <QFile>

namespace tintora::cli {

std::optional<ColourScheme> ReadSchemeArgument(const QString &path, QString &error)
{
    const SchemeFileRead read = ReadSchemeImage(path, kEnglish);
    if (read.outcome == LoadOutcome::NotOpened) {
        error = NotOpenedText(kEnglish, path, read.reason);
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
    // A half-copied file is noticed before it is saved over.
    if (read.size < kSchemeImageSize)
        Warn(ShortSchemeText(kEnglish, path, read.size));
    ColourScheme scheme;
    DecodeScheme(scheme, read.image);
    return scheme;
}

std::optional<Settings> ReadSettingsArgument(const QString &path, QString &error)
{
    if (path.isNull())
        return DefaultSettings();
    // Settings that cannot be read would quietly give the defaults.
    QString reason = RefusedInputReason(path, kEnglish);
    if (reason.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            file.read(1);
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        error = NotOpenedText(kEnglish, path, reason);
        return std::nullopt;
    }
    return ReadSettings(ProfileFile(path));
}

}  // namespace tintora::cli

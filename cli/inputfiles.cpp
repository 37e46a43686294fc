#include "inputfiles.h"

#include "failure.h"

#include "scheme/inputfile.h"
#include "scheme/wholefilewrite.h"
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
    const ProfileFile file(path);
    if (file.isTooLarge())
        Warn(SettingsFileTooLargeText(kEnglish, path));
    return ReadSettings(file);
}

int WriteSchemeImage(const QString &path, const SchemeImage &image)
{
    QString error;
    const QByteArrayView bytes(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
    if (WriteWholeFile(path, bytes, &error) != WriteOutcome::Written)
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, error));
    return 0;
}

}  // namespace tintora::cli

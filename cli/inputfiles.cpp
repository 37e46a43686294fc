#include "inputfiles.h"

#include "failure.h"

#include "preview/anypicture.h"
#include "scheme/inputfile.h"
#include "ui/wording.h"
#include "scheme/wholefilewrite.h"
#include "settings/profilefile.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>

namespace tintora::cli {

std::optional<ColourScheme> ReadSchemeArgument(const QString &path, QString &error)
{
    const SchemeFileRead read = ReadSchemeImage(path);
    if (read.outcome == LoadOutcome::NotOpened) {
        error = read.special ? NotRegularFileText(path) : NotOpenedText(path, read.reason);
        return std::nullopt;
    }
    if (read.outcome == LoadOutcome::ReadFailed) {
        error = ReadFailedText(path, read.reason);
        return std::nullopt;
    }
    if (!IsSchemeImage(read.image)) {
        error = path + ": " + NotSchemeText();
        return std::nullopt;
    }
    // A half-copied file is noticed before it is saved over.
    if (read.size < kSchemeImageSize)
        Warn(ShortSchemeText(path, read.size));
    ColourScheme scheme;
    DecodeScheme(scheme, read.image);
    return scheme;
}

std::optional<Settings> ReadSettingsArgument(const QString &path, QString &error)
{
    if (path.isNull())
        return DefaultSettings();
    // Settings that cannot be read would quietly give the defaults.
    if (IsSpecialFile(path)) {
        error = NotRegularFileText(path);
        return std::nullopt;
    }
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        probe.read(1);
    if (probe.error() != QFileDevice::NoError) {
        error = NotOpenedText(path, probe.errorString());
        return std::nullopt;
    }
    const ProfileFile file(path);
    if (file.isTooLarge())
        Warn(SettingsFileTooLargeText(path));
    return ReadSettings(file);
}

std::optional<QImage> ReadPictureArgument(const QString &path, QString &error)
{
    JpegError reason;
    std::optional<QImage> picture = LoadPictureScaled(path, 128, 128, &reason);
    if (!picture)
        error = JpegErrorText(reason);
    return picture;
}

bool IsStandardOutput(const QString &out)
{
    return out == QLatin1String("-");
}

QString InputAsOutputReason(const QString &out, const QStringList &inputs)
{
    if (IsStandardOutput(out))
        return {};
    const std::filesystem::path written = QFileInfo(out).filesystemFilePath();
    for (const QString &input : inputs) {
        std::error_code unknown;
        if (std::filesystem::equivalent(written, QFileInfo(input).filesystemFilePath(), unknown))
            return QStringLiteral("cannot write %1: it is the input %2").arg(out, input);
    }
    return {};
}

QString RefusedSchemeOutputReason(const QString &out, const QStringList &inputs, bool force)
{
    if (const QString reason = InputAsOutputReason(out, inputs); !reason.isEmpty())
        return reason;
    const QFileInfo info(out);
    if (IsStandardOutput(out) || !info.exists())
        return {};
    if (info.isDir())
        return QStringLiteral("cannot write %1: it is a folder").arg(out);
    // A device, a pipe or a socket is written into, as a shell's redirection would.
    if (!info.isFile() || force)
        return {};
    const SchemeFileRead read = ReadSchemeImage(out);
    if (read.outcome != LoadOutcome::Loaded)
        return QStringLiteral("cannot write %1: it cannot be read to see whether it is a colour scheme (%2); "
                              "--force replaces it").arg(out, read.reason);
    if (IsSchemeImage(read.image))
        return {};
    return QStringLiteral("cannot write %1: it is not a colour scheme; --force replaces it").arg(out);
}

int WriteOutput(const QString &out, QByteArrayView bytes)
{
    if (IsStandardOutput(out)) {
        QFile output;
        if (!output.open(stdout, QIODevice::WriteOnly) || output.write(bytes.data(), bytes.size()) != bytes.size() ||
            !output.flush())
            return Fail(QStringLiteral("cannot write to standard output: %1").arg(output.errorString()));
        return 0;
    }
    QString error;
    if (WriteWholeFile(out, bytes, &error) != WriteOutcome::Written)
        return Fail(QStringLiteral("cannot write %1: %2").arg(out, error));
    return 0;
}

int WriteSchemeImage(const QString &out, const SchemeImage &image)
{
    return WriteOutput(out, QByteArrayView(reinterpret_cast<const char *>(image.data()), qsizetype(image.size())));
}

}  // namespace tintora::cli

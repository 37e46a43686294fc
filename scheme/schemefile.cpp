#include "colourscheme.h"
#include "inputfile.h"
#include "messages.h"
#include "systemreason.h"

#include <QFile>
#include <QFileInfo>

namespace tintora {

SchemeFileRead ReadSchemeImage(const QString &path, Language language)
{
    SchemeFileRead result;
    result.reason = RefusedInputReason(path, language);
    if (!result.reason.isEmpty())
        return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    // A pipe or device may hand over fewer bytes per call than it has.
    char *const buffer = reinterpret_cast<char *>(result.image.data());
    qint64 filled = 0;
    while (filled < kSchemeImageSize) {
        const qint64 got = file.read(buffer + filled, kSchemeImageSize - filled);
        if (got < 0) {
            result.outcome = LoadOutcome::ReadFailed;
            result.reason = file.errorString();
            result.image.fill(0);
            return result;
        }
        if (got == 0)
            break;
        filled += got;
    }
    result.outcome = LoadOutcome::Loaded;
    result.size = int(filled);
    return result;
}

LoadOutcome LoadSchemeFile(ColourScheme &scheme, const QString &path, Messages &messages,
                           Language language, QString *note)
{
    const SchemeFileRead read = ReadSchemeImage(path, language);
    const QString name = QFileInfo(path).fileName();
    if (read.outcome == LoadOutcome::NotOpened) {
        if (note)
            *note = NotOpenedText(language, name, read.reason);
        return LoadOutcome::NotOpened;
    }
    if (read.outcome == LoadOutcome::ReadFailed) {
        messages.reportError(ReadFailedText(language, path, read.reason));
        return LoadOutcome::ReadFailed;
    }

    // Only a file with the signature is a scheme.
    if (!IsSchemeImage(read.image)) {
        messages.inform(NotSchemeText(language));
        return LoadOutcome::NotScheme;
    }

    DecodeScheme(scheme, read.image);
    if (note)
        *note = read.size < kSchemeImageSize ? ShortSchemeText(language, name, read.size) : QString();
    return LoadOutcome::Loaded;
}

QString NotSchemeText(Language language)
{
    return language == kRussian ? QStringLiteral("Файл не является цветовой палитрой")
                                : QStringLiteral("This file is not colour style");
}

QString ShortSchemeText(Language language, const QString &name, int size)
{
    return (language == kRussian ? QStringLiteral("Файл %1 короче цветовой палитры: %2 из 304 байт")
                                 : QStringLiteral("%1 is shorter than a colour style: %2 of 304 bytes"))
        .arg(name)
        .arg(size);
}

QString ReadFailedText(Language language, const QString &path, const QString &reason)
{
    return (language == kRussian ? QStringLiteral("Ошибка ввода-вывода при чтении файла %1: %2")
                                 : QStringLiteral("Input/output error while reading %1: %2"))
        .arg(path, SystemReason(reason));
}

}  // namespace tintora

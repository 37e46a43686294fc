#include "colourscheme.h"
#include "inputfile.h"

#include <QFile>

namespace tintora {

SchemeFileRead ReadSchemeImage(const QString &path)
{
    SchemeFileRead result;
    result.special = IsSpecialFile(path);
    if (result.special)
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

SchemeFileRead LoadSchemeFile(ColourScheme &scheme, const QString &path)
{
    SchemeFileRead read = ReadSchemeImage(path);
    if (read.outcome != LoadOutcome::Loaded)
        return read;
    // Only a file with the signature is a scheme.
    if (!IsSchemeImage(read.image)) {
        read.outcome = LoadOutcome::NotScheme;
        return read;
    }
    DecodeScheme(scheme, read.image);
    return read;
}

}  // namespace tintora

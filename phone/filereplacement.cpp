#include "filereplacement.h"

#include <QSaveFile>

namespace tintora {

ReplaceOutcome ReplaceFileContents(const QString &path, QByteArrayView bytes,
                                   Messages &messages)
{
    QSaveFile file(path);
    // A writable file in a folder that takes no new files is still written,
    // in place, as it always could be.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return ReplaceOutcome::NotOpened;
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
        messages.reportError(file.errorString());
        return ReplaceOutcome::Failed;
    }
    return ReplaceOutcome::Replaced;
}

}  // namespace tintora

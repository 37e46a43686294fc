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
    // Unbuffered, so a short write shows here and not in a flush that commit
    // would not look at.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ReplaceOutcome::NotOpened;
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            messages.reportError(file.errorString());
            file.cancelWriting();
            return ReplaceOutcome::Failed;
        }
        done += written;
    }
    if (!file.commit()) {
        messages.reportError(file.errorString());
        return ReplaceOutcome::Failed;
    }
    return ReplaceOutcome::Replaced;
}

}  // namespace tintora

#include "wholefilewrite.h"

#include <QSaveFile>

namespace tintora {

WriteOutcome WriteWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    // Unbuffered: commit does not look at a flush that fails (a full disk),
    // so a short write has to show here.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::NotOpened;
    }
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0) {
            if (error)
                *error = file.errorString();
            file.cancelWriting();
            return WriteOutcome::Failed;
        }
        done += written;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

}  // namespace tintora

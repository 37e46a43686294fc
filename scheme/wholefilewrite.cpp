#include "wholefilewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tintora {
namespace {

// Unbuffered devices: a flush that fails (a full disk) would go unseen, so a
// short write has to show here.
bool WriteAll(QFileDevice &file, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// A device, a pipe or a socket is written into, as a shell's redirection
// would: renaming a file over it would put a regular file where the system
// expects a device.
bool IsSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

WriteOutcome WriteInto(const QString &path, QByteArrayView bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::NotOpened;
    }
    if (!WriteAll(file, bytes)) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

#if defined(Q_OS_UNIX)
// The replacement takes the old file's mode, and its owner and group where the
// process may give them (root may; others only a group of their own).
void KeepOwnerAndMode(const QSaveFile &file, const QString &path)
{
    struct stat old {};
    if (::stat(QFile::encodeName(path).constData(), &old) != 0)
        return;
    const int fd = file.handle();
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, uid_t(-1), old.st_gid) != 0) {
        // Not ours to give: the file stays the writer's.
    }
    ::fchmod(fd, old.st_mode & 07777);
}
#endif

}  // namespace

WriteOutcome WriteWholeFile(const QString &path, QByteArrayView bytes, QString *error)
{
    if (IsSpecialFile(path))
        return WriteInto(path, bytes, error);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::NotOpened;
    }
    if (!WriteAll(file, bytes)) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return WriteOutcome::Failed;
    }
#if defined(Q_OS_UNIX)
    KeepOwnerAndMode(file, path);
#endif
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

}  // namespace tintora

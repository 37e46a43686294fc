#include "wholefilewrite.h"

#include "inputfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

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

// Power cuts aside, the bytes a process wrote are the system's once written; fsync makes
// them the disk's. Windows keeps that to itself.
bool Sync(QFile &file)
{
#if defined(Q_OS_UNIX)
    return ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

// Where no file can be made beside it, the new bytes go over the old ones from the start
// and the file is cut to their length only then: at no moment is it shorter than it was, or
// empty. A write that fails puts the old bytes back as far as the system lets it.
WriteOutcome WriteInPlace(const QString &path, QByteArrayView bytes, QString *error)
{
    QFile file(path);
    // Opened for writing alone, Qt would cut the file to nothing.
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::NotOpened;
    }
    const qint64 oldSize = file.size();
    const QByteArray overwritten = file.read(std::min<qint64>(oldSize, bytes.size()));
    if (overwritten.size() != std::min<qint64>(oldSize, bytes.size())) {
        if (error)
            *error = file.errorString();
        return WriteOutcome::Failed;
    }
    QString reason;
    if (file.seek(0) && WriteAll(file, bytes)) {
        // Qt hears nothing of a failed sync.
        if (!Sync(file))
            reason = qt_error_string(errno);
        else if (file.resize(bytes.size()))
            return WriteOutcome::Written;
    }
    if (error)
        *error = reason.isEmpty() ? file.errorString() : reason;
    if (file.seek(0) && WriteAll(file, overwritten) && file.size() > oldSize)
        file.resize(oldSize);
    return WriteOutcome::Failed;
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
    // A device, a pipe or a socket is written into, as a shell's redirection would: renaming
    // a file over it would put a regular file where the system expects a device.
    if (IsSpecialFile(path))
        return WriteInto(path, bytes, error);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // Qt's own fallback for a folder that takes no new files cuts the file to nothing
        // before the first byte is written.
        if (QFileInfo(path).isFile())
            return WriteInPlace(path, bytes, error);
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

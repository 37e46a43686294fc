#include "recentfiles.h"

#include "profilefile.h"

#include <QFileInfo>

namespace tintora {
namespace {

const QString kRecent = QStringLiteral("Recent");

QString Key(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

// The same file however it was reached: "a/../b.sch" and "b.sch" from its folder.
QString Absolute(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

bool SameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

}  // namespace

RecentFiles RecentFiles::Read(const ProfileFile &file)
{
    RecentFiles recent;
    for (int i = 0; i < kCapacity; ++i) {
        const QString path = file.readString(kRecent, Key(i), QString());
        if (!path.isEmpty())
            recent.paths_ << path;
    }
    return recent;
}

bool RecentFiles::write(ProfileFile &file) const
{
    for (int i = 0; i < kCapacity; ++i) {
        if (!file.writeString(kRecent, Key(i), paths_.value(i)))
            return false;
    }
    return true;
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = Absolute(path);
    remove(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kCapacity)
        paths_.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    const QString absolute = Absolute(path);
    paths_.removeIf([&](const QString &entry) { return SameFile(Absolute(entry), absolute); });
}

}  // namespace tintora

#pragma once

#include <QDir>
#include <QDirIterator>
#include <QString>
#include <QStringList>

namespace tintora::test {

// Where the fixture test packaging.make_package left the package, its unpacked root and the
// README's --prefix installation.
inline QString PackageDir() { return QStringLiteral(TINTORA_PACKAGE_DIR); }
inline QString PackageRoot() { return PackageDir() + QStringLiteral("/root"); }
inline QString PrefixRoot() { return PackageDir() + QStringLiteral("/prefix"); }
inline QString Installed(const QString &relative) { return PackageRoot() + '/' + relative; }

inline QString DebFile()
{
    const QStringList debs =
        QDir(PackageDir()).entryList({QStringLiteral("tintora_*.deb")}, QDir::Files);
    return debs.size() == 1 ? PackageDir() + '/' + debs.first() : QString();
}

// Every file below root, relative to it, sorted.
inline QStringList FilesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

}  // namespace tintora::test

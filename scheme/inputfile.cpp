#include "inputfile.h"

#include <QFile>
#include <QFileInfo>

namespace tintora {

bool IsSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

bool IsExactArgument(const char *argument)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(argument);
    return true;
#else
    const QByteArray bytes(argument);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
#endif
}

}  // namespace tintora

#include "inputfile.h"

#include "systemreason.h"

#include <QFile>
#include <QFileInfo>

namespace tintora {

using namespace Qt::Literals::StringLiterals;

bool IsSpecialFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString RefusedInputReason(const QString &path, Language language)
{
    if (!IsSpecialFile(path))
        return {};
    return language == kRussian ? u"это не обычный файл, а устройство, канал или сокет"_s
                                : u"not a regular file but a device, a pipe or a socket"_s;
}

QString NotOpenedText(Language language, const QString &name, const QString &reason)
{
    return (language == kRussian ? u"Не могу открыть файл %1: %2"_s : u"Cannot open %1: %2"_s)
        .arg(name, SystemReason(reason));
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

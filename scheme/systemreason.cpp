#include "systemreason.h"

#include <QCoreApplication>

#include <array>

namespace tintora {
namespace {

// One reason as Linux and Windows word it in either language. The first English wording is
// what the user is shown, through the interface's translation.
struct Reason {
    std::array<const char *, 3> english;
    std::array<const char *, 3> russian;
};

// The shown wordings are source texts of the interface's translation.
const Reason kReasons[] = {
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Permission denied"), "Access is denied"},
     {"Отказано в доступе"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Operation not permitted")},
     {"Операция не позволена"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "No such file or directory"),
      "The system cannot find the file specified", "The system cannot find the path specified"},
     {"Нет такого файла или каталога", "Не удается найти указанный файл",
      "Системе не удается найти указанный путь"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "No space left on device"),
      "There is not enough space on the disk", "The disk is full"},
     {"На устройстве не осталось свободного места", "Недостаточно места на диске"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Disk quota exceeded")},
     {"Превышена дисковая квота"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Read-only file system"),
      "The media is write protected"},
     {"Файловая система доступна только для чтения", "Носитель защищен от записи"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "File exists"), "The file exists",
      "Cannot create a file when that file already exists"},
     {"Файл существует"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Is a directory")}, {"Это каталог"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Not a directory")}, {"Это не каталог"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "File too large")}, {"Файл слишком велик"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Input/output error")}, {"Ошибка ввода/вывода"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Too many open files")},
     {"Слишком много открытых файлов"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "Device or resource busy"),
      "The process cannot access the file because it is being used by another process"},
     {"Устройство или ресурс занято"}},
    {{QT_TRANSLATE_NOOP("tintora::SystemReason", "File name too long"),
      "The filename or extension is too long"},
     {"Слишком длинное имя файла"}},
};

bool Matches(const std::array<const char *, 3> &wordings, const QString &reason)
{
    for (const char *wording : wordings) {
        if (wording && reason.compare(QString::fromUtf8(wording), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

}  // namespace

QString SystemReason(const QString &reason)
{
    // Windows ends its sentences with a full stop; Linux does not.
    QString bare = reason.trimmed();
    if (bare.endsWith(QLatin1Char('.')))
        bare.chop(1);
    for (const Reason &known : kReasons) {
        if (Matches(known.english, bare) || Matches(known.russian, bare))
            return QCoreApplication::translate("tintora::SystemReason", known.english[0]);
    }
    return reason;
}

}  // namespace tintora

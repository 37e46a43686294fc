#include "systemreason.h"

#include <array>

namespace tintora {
namespace {

// One reason as Linux and Windows word it in either language. The first English and the
// first Russian wording are what the user is shown.
struct Reason {
    std::array<const char *, 3> english;
    std::array<const char *, 3> russian;
};

const Reason kReasons[] = {
    {{"Permission denied", "Access is denied"}, {"Отказано в доступе"}},
    {{"Operation not permitted"}, {"Операция не позволена"}},
    {{"No such file or directory", "The system cannot find the file specified",
      "The system cannot find the path specified"},
     {"Нет такого файла или каталога", "Не удается найти указанный файл",
      "Системе не удается найти указанный путь"}},
    {{"No space left on device", "There is not enough space on the disk", "The disk is full"},
     {"На устройстве не осталось свободного места", "Недостаточно места на диске"}},
    {{"Disk quota exceeded"}, {"Превышена дисковая квота"}},
    {{"Read-only file system", "The media is write protected"},
     {"Файловая система доступна только для чтения", "Носитель защищен от записи"}},
    {{"File exists", "The file exists", "Cannot create a file when that file already exists"},
     {"Файл существует"}},
    {{"Is a directory"}, {"Это каталог"}},
    {{"Not a directory"}, {"Это не каталог"}},
    {{"File too large"}, {"Файл слишком велик"}},
    {{"Input/output error"}, {"Ошибка ввода/вывода"}},
    {{"Too many open files"}, {"Слишком много открытых файлов"}},
    {{"Device or resource busy",
      "The process cannot access the file because it is being used by another process"},
     {"Устройство или ресурс занято"}},
    {{"File name too long", "The filename or extension is too long"},
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

QString SystemReason(Language language, const QString &reason)
{
    // Windows ends its sentences with a full stop; Linux does not.
    QString bare = reason.trimmed();
    if (bare.endsWith(QLatin1Char('.')))
        bare.chop(1);
    for (const Reason &known : kReasons) {
        if (Matches(known.english, bare) || Matches(known.russian, bare))
            return QString::fromUtf8(language == kRussian ? known.russian[0] : known.english[0]);
    }
    return reason;
}

}  // namespace tintora

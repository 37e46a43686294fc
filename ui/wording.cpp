// The words, in the language of the installed translation, for what the lower layers report.
#include "wording.h"

#include "scheme/catalogue.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>

#include <array>
#include <cmath>

namespace tintora {
namespace {

QString Translated(const char *context, const char *source)
{
    return source ? QCoreApplication::translate(context, source) : QString();
}

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

QString Hex(int byte)
{
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

QString JpegReason(const JpegError &error)
{
    switch (error.kind) {
    case JpegError::Kind::None:
        return {};
    case JpegError::Kind::NotRegularFile:
    case JpegError::Kind::NotOpened:
        break;
    case JpegError::Kind::NotJpeg:
        return QCoreApplication::translate("tintora::Texts", "Not a JPEG file: starts with %1 %2")
            .arg(Hex(error.firstBytes[0]), Hex(error.firstBytes[1]));
    case JpegError::Kind::Empty:
        return QCoreApplication::translate("tintora::Texts", "Empty input file");
    case JpegError::Kind::Decoder:
        // The decoder speaks only English.
        return QCoreApplication::translate("tintora::Texts", "%1", "the JPEG decoder's own message")
            .arg(error.detail);
    case JpegError::Kind::TooLarge:
        return QCoreApplication::translate("tintora::Texts",
                                           "The picture is %1 x %2 pixels; pictures wider or taller "
                                           "than %3 pixels cannot be loaded.")
            .arg(error.width)
            .arg(error.height)
            .arg(kMaxJpegDimension);
    case JpegError::Kind::NoMemory:
        return QCoreApplication::translate("tintora::Texts", "Not enough memory for a picture of %1 x %2 pixels.")
            .arg(error.width)
            .arg(error.height);
    case JpegError::Kind::OverBudget:
        // Not yet translated: the Russian interface shows it in English.
        return QStringLiteral("The picture is %1 x %2 pixels and stored in several scans (progressive), so it "
                              "has to be held whole while it is decoded, which takes more than the %3 MiB a "
                              "picture may use.")
            .arg(error.width)
            .arg(error.height)
            .arg(kJpegMemoryBudget >> 20);
    case JpegError::Kind::HeldWholeOverBudget:
        return QCoreApplication::translate("tintora::Texts",
                                           "The picture is %1 x %2 pixels and has to be held whole while it is "
                                           "read, which takes more than the %3 MiB a picture may use.")
            .arg(error.width)
            .arg(error.height)
            .arg(kJpegMemoryBudget >> 20);
    case JpegError::Kind::MadeUp:
        return QCoreApplication::translate("tintora::Texts",
                                           "The JPEG file is damaged: its data lacks at least %1 of the %2 "
                                           "blocks of its %3 x %4 picture, which would be largely made up. "
                                           "(Up to 1 block in %5, and no more than %6 blocks, may be missing.)")
            .arg(error.count)
            .arg(error.total)
            .arg(error.width)
            .arg(error.height)
            .arg(kJpegMadeUpShare)
            .arg(kJpegMadeUpLimit);
    case JpegError::Kind::TooMuchWork:
        return QCoreApplication::translate("tintora::Texts",
                                           "The JPEG file is damaged: decoding its %1 bytes into a picture of "
                                           "%2 x %3 pixels would take far more work than a real picture of "
                                           "that size needs.")
            .arg(error.count)
            .arg(error.width)
            .arg(error.height);
    case JpegError::Kind::Cancelled:
        return QCoreApplication::translate("tintora::Texts", "Reading the picture was cancelled.");
    case JpegError::Kind::FileEnded:
        return QCoreApplication::translate("tintora::Texts", "the file ends at byte %1, before its picture")
            .arg(error.count);
    }
    return {};
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

QString NotOpenedText(const QString &name, const QString &reason)
{
    return QCoreApplication::translate("tintora::Texts", "Cannot open %1: %2").arg(name, SystemReason(reason));
}

QString NotRegularFileText(const QString &name)
{
    return NotOpenedText(name, QCoreApplication::translate("tintora::Texts", "not a regular file but a device, a pipe or a socket"));
}

QString ReadFailedText(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("tintora::Texts", "Input/output error while reading %1: %2").arg(path, SystemReason(reason));
}

QString NotSchemeText()
{
    return QCoreApplication::translate("tintora::Texts", "This file is not colour style");
}

QString ShortSchemeText(const QString &name, int size)
{
    return QCoreApplication::translate("tintora::Texts", "%1 is shorter than a colour style: %2 of 304 bytes").arg(name).arg(size);
}

QString CommandNoteText(const CommandNote &note)
{
    switch (note.text) {
    case CommandText::OpenSchemeTitle:
        return QCoreApplication::translate("tintora::Texts", "Open spcolor.sch");
    case CommandText::OpenSchemeFilter:
        return QCoreApplication::translate("tintora::Texts", "Colour styles(*.sch)|*.sch|All(*.*)|*.*");
    case CommandText::SaveSchemeFilter:
        return QCoreApplication::translate("tintora::Texts", "Colour styles(*.sch)|*.sch");
    case CommandText::OpenRecordTitle:
        return QCoreApplication::translate("tintora::Texts", "Open seem 0032_0001");
    case CommandText::OpenRecordFilter:
        return QCoreApplication::translate("tintora::Texts", "Seem files(*.seem)|*.seem|All(*.*)|*.*");
    case CommandText::SystemError:
        return SystemReason(note.reason);
    case CommandText::NotOpened:
        return NotOpenedText(note.file, note.reason);
    case CommandText::NotRegularFile:
        return NotRegularFileText(note.file);
    case CommandText::ReadFailed:
        return ReadFailedText(note.file, note.reason);
    case CommandText::NotScheme:
        return NotSchemeText();
    case CommandText::ShortScheme:
        return ShortSchemeText(note.file, note.size);
    case CommandText::CreateError:
        return QCoreApplication::translate("tintora::Texts", "Create error of a file %1").arg(note.file);
    case CommandText::PhoneReadError:
        return QCoreApplication::translate("tintora::Texts", "Read error of a file %1").arg(note.file);
    case CommandText::PhoneFileMissing:
        return QCoreApplication::translate("tintora::Texts", "File %1 not found").arg(note.file);
    case CommandText::PhoneWriteError:
        return QCoreApplication::translate("tintora::Texts", "Write error of a file %1").arg(note.file);
    case CommandText::NoCopyKept:
        if (note.file.isEmpty())
            return QCoreApplication::translate("tintora::Texts", "\rThe file on the phone is left unchanged: no copy of it could be kept: %1")
                .arg(SystemReason(note.reason));
        return QCoreApplication::translate("tintora::Texts", "\rThe file on the phone is left unchanged: no copy of it could be kept in %1: %2")
            .arg(note.file, SystemReason(note.reason));
    case CommandText::FormerFileKept:
        return QCoreApplication::translate("tintora::Texts", "\rThe phone may be left without the file or with part of it. The former file is "
                   "kept in %1\rTo put it back: tintora-cli phone write %1")
            .arg(note.file);
    case CommandText::Saved:
        return QCoreApplication::translate("tintora::Texts", "Colour style: %1\rSaving path: %2").arg(note.name, note.file);
    case CommandText::PhoneNotAnswering:
        return QCoreApplication::translate("tintora::Texts", "The phone does not answer");
    case CommandText::NotEnoughSpace:
        return QCoreApplication::translate("tintora::Texts", "Not enough free space on phone");
    case CommandText::RestartQuestion:
        return QCoreApplication::translate("tintora::Texts", "Changes will come into force only after reboot of phone\rReboot phone now?");
    case CommandText::RestartFailed:
        return QCoreApplication::translate("tintora::Texts", "The phone did not restart; restart it yourself for the changes to take effect");
    case CommandText::ReadSeemStep:
        return QCoreApplication::translate("tintora::Texts", "Read seem 0032 rec 0001.........");
    case CommandText::ChangeStep:
        return QCoreApplication::translate("tintora::Texts", "Change value...........................");
    case CommandText::WriteSeemStep:
        return QCoreApplication::translate("tintora::Texts", "Write seem 0032 rec 0001...........");
    case CommandText::OpenRecordStep:
        return QCoreApplication::translate("tintora::Texts", "Open %1.........").arg(note.file);
    case CommandText::SaveRecordStep:
        return QCoreApplication::translate("tintora::Texts", "Save %1...........").arg(note.file);
    case CommandText::Activated:
        return QCoreApplication::translate("tintora::Texts", "Custom colour styles are activated");
    case CommandText::AlreadyActivated:
        return QCoreApplication::translate("tintora::Texts", "Custom colour styles already activated!");
    case CommandText::NotActivated:
        return QCoreApplication::translate("tintora::Texts", "Custom colour styles are not activated");
    case CommandText::SeemReadError:
        return QCoreApplication::translate("tintora::Texts", "Read error of a seem 0032h rec 0001h");
    case CommandText::SeemWriteLost:
        return QCoreApplication::translate("tintora::Texts", "The phone's answer to the write was lost: seem 0032 rec 0001 may have changed. "
                   "The record as it was is kept in %1\rTo put it back: tintora-cli phone restore-seem %1")
            .arg(note.file);
    case CommandText::SchemeNotRecord:
        return QCoreApplication::translate("tintora::Texts", "%1 is a colour style, not a record of seem 0032_0001; it is left unchanged").arg(note.file);
    }
    return {};
}

QString ElementName(int element)
{
    return Translated(kCatalogueContext, ElementNameSource(element));
}

QString ScreenCaption(int screen)
{
    return Translated(kCatalogueContext, ScreenCaptionSource(screen));
}

QString RoleName(Role role)
{
    switch (role) {
    case Role::Background:
        return QCoreApplication::translate("tintora::Role", "Background");
    case Role::Bar:
        return QCoreApplication::translate("tintora::Role", "Bar");
    case Role::PressedBar:
        return QCoreApplication::translate("tintora::Role", "Pressed key");
    case Role::Highlight:
        return QCoreApplication::translate("tintora::Role", "Highlight");
    case Role::Frame:
        return QCoreApplication::translate("tintora::Role", "Frame or line");
    case Role::TextOnBackground:
        return QCoreApplication::translate("tintora::Role", "Text on background");
    case Role::TextOnBar:
        return QCoreApplication::translate("tintora::Role", "Text on bar");
    case Role::TextOnHighlight:
        return QCoreApplication::translate("tintora::Role", "Text on highlight");
    case Role::TextOutline:
        return QCoreApplication::translate("tintora::Role", "Text outline");
    case Role::ClockHands:
        return QCoreApplication::translate("tintora::Role", "Clock hands");
    case Role::Weekend:
        return QCoreApplication::translate("tintora::Role", "Calendar weekend");
    case Role::Today:
        return QCoreApplication::translate("tintora::Role", "\"Today\" background");
    case Role::TodayText:
        return QCoreApplication::translate("tintora::Role", "\"Today\" text");
    case Role::Cursor:
        return QCoreApplication::translate("tintora::Role", "Cursor");
    case Role::Unseen:
        return QCoreApplication::translate("tintora::Role", "Not shown in the preview");
    }
    return QString();
}

QString ContrastLine(const ContrastPlace &place)
{
    const Spot &at = place.judged();
    const QString bound = place.boundIsLc ? QStringLiteral("Lc ") + QString::number(place.bound, 'g', 3)
                                          : QString::number(place.bound, 'g', 2) + QStringLiteral(":1");
    return QCoreApplication::translate("tintora::Texts",
                                       "%1 %2: %3, APCA Lc %4, screen %5 %6 at (%7, %8), needs %9")
        .arg(place.element)
        .arg(ElementName(place.element), RatioText(place.ratio), QString::number(place.apca, 'f', 1))
        .arg(at.screen)
        .arg(ScreenCaption(at.screen))
        .arg(at.x)
        .arg(at.y)
        .arg(bound);
}

QString ContrastSentence(const ContrastPlace &place)
{
    // Two decimals at most, the zeros after them dropped: 1.5, 4.49, 7.
    const auto ratio = [](double value) {
        QString text = QString::number(std::floor(value * 100) / 100, 'f', 2);
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        return text;
    };
    const QString figures =
        place.boundIsLc
            ? QCoreApplication::translate("tintora::Texts", "Lc %1, needs Lc %2")
                  .arg(QString::number(std::floor(std::abs(place.apca))), QString::number(place.bound))
            : QCoreApplication::translate("tintora::Texts", "%1 : 1, needs %2 : 1")
                  .arg(ratio(place.ratio), ratio(place.bound));
    return QCoreApplication::translate("tintora::Texts", "%1: hard to read on %2 (%3)")
        .arg(ElementName(place.element), ScreenCaption(place.judged().screen), figures);
}

QString NoReadableSuggestionText()
{
    return QCoreApplication::translate("tintora::Texts", "No readable scheme could be made for this picture");
}

QString UnableToWriteText(const QString &path, const QString &reason)
{
    return QCoreApplication::translate("tintora::Texts", "Unable to write to %1: %2")
        .arg(path, SystemReason(reason));
}

QString SettingsFileTooLargeText(const QString &path)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "The settings file %1 is larger than 1 MiB: it was not read "
                                       "and will not be rewritten; the default settings apply")
        .arg(QDir::toNativeSeparators(path));
}

QString PhoneFolderProblem(const QString &folder)
{
    if (IsPhoneFolder(folder))
        return QString();
    return QCoreApplication::translate("tintora::Texts",
                                       "The folder \"%1\" will not do: it must start with a volume "
                                       "such as /a/ and hold printable ASCII characters only")
        .arg(folder);
}

QString RefusedPhoneFolderText(const QString &path, const QString &folder)
{
    return PhoneFolderProblem(folder) +
           QCoreApplication::translate("tintora::Texts",
                                       " ([Phone] SpColorPath in %1); the phone folder is %2")
               .arg(QDir::toNativeSeparators(path), DefaultSettings().SpColorPath);
}

QString NoPhoneReason(int linkState)
{
    switch (linkState) {
    case kNoPhoneLibrary:
        return QCoreApplication::translate("tintora::Texts", "No phone library");
    case kPhoneNotAnswering:
        return QCoreApplication::translate("tintora::Texts", "No phone in command mode answered.");
    case 0:
        return QCoreApplication::translate("tintora::Texts",
                                           "No Motorola phone (vendor 22b8) on USB: is the phone on, "
                                           "and the cable a data cable?");
    case 1: return {};
    case 2:
        return QCoreApplication::translate(
            "tintora::Texts", "A phone in modem mode is switched to command mode with AT+MODE=8");
    case 3:
        return QCoreApplication::translate("tintora::Texts", "Phone restarting");
    case 4:
#if defined(Q_OS_WIN)
        return QCoreApplication::translate("tintora::Texts",
                                           "The phone cannot be opened: bind the WinUSB driver to its "
                                           "\"Motorola Test Command\" interface (README-Windows.txt)");
#else
        return QCoreApplication::translate("tintora::Texts",
                                           "This user may not open the phone: install the udev rule "
                                           "(README, \"Connecting a real phone\")");
#endif
    case 5:
        return QCoreApplication::translate("tintora::Texts",
                                           "A phone in mass-storage mode cannot be reached: eject its "
                                           "memory card, choose the data (modem) connection in the "
                                           "phone's USB settings and plug it in again.");
    case 7:
        return QCoreApplication::translate("tintora::Texts",
                                           "A phone in modem mode did not switch to command mode");
    default:
        return QCoreApplication::translate("tintora::Texts", "Motorola device in an unknown mode");
    }
}

namespace {

QString PhoneStateWord(int linkState, bool connected)
{
    switch (linkState) {
    case kNoPhoneLibrary:
        return QCoreApplication::translate("tintora::Texts", "No phone library");
    case kPhoneNotAnswering:
        return QCoreApplication::translate("tintora::Texts", "Phone not answering");
    case 0:
        return QCoreApplication::translate("tintora::Texts", "No phone");
    case 1:
        return connected ? QCoreApplication::translate("tintora::Texts", "Phone connected")
                         : QCoreApplication::translate("tintora::Texts", "Phone ready");
    case 2:
        return QCoreApplication::translate("tintora::Texts", "Phone in modem mode");
    case 3:
        return QCoreApplication::translate("tintora::Texts", "Phone restarting");
    case 4:
        return QCoreApplication::translate("tintora::Texts", "Phone not allowed");
    case 5:
        return QCoreApplication::translate("tintora::Texts", "Phone in mass-storage mode");
    case 7:
        return QCoreApplication::translate("tintora::Texts", "Modem switch failed");
    default:
        return QCoreApplication::translate("tintora::Texts", "Unknown phone mode");
    }
}

QString PhonePermissionAdvice()
{
#if defined(Q_OS_WIN)
    return QCoreApplication::translate(
        "tintora::Texts",
        "Windows reaches the phone through its WinUSB driver, bound once to the phone's "
        "\"Motorola Test Command\" interface with a driver installer such as Zadig: Options > "
        "List All Devices, choose \"Motorola Test Command\", choose WinUSB, Install Driver. Then "
        "unplug the phone and plug it in again.");
#else
    return QCoreApplication::translate(
        "tintora::Texts",
        "The udev rule 70-tintora-p2k.rules lets the logged-in user open the phone. The package "
        "installs it in /usr/lib/udev/rules.d/; without the package, copy "
        "resources/70-tintora-p2k.rules to /etc/udev/rules.d/. Then reload the rules with\r"
        "sudo udevadm control --reload\r"
        "and unplug the phone and plug it in again.");
#endif
}

QString ModemSwitchAdvice()
{
    return QCoreApplication::translate(
        "tintora::Texts",
        "Most phones show up as a modem when plugged in. Tintora then sends the modem AT+MODE=8: "
        "the phone leaves USB and comes back in its command mode a few seconds later, and "
        "Connect becomes enabled.");
}

QString PhoneAdvice(int linkState, bool connected)
{
    switch (linkState) {
    case kNoPhoneLibrary:
        return QCoreApplication::translate(
            "tintora::Texts",
            "The phone-link library (libp2kapi.so, p2kapi.dll) was not found beside the program, "
            "in its private folder or where the system looks for libraries; TINTORA_P2KAPI may "
            "name it. Without it Tintora works with files only.");
    case kPhoneNotAnswering:
        return QCoreApplication::translate(
            "tintora::Texts", "Unplug the phone, wait until it is back on its main screen and plug it in again.");
    case 0:
        return QCoreApplication::translate(
                   "tintora::Texts",
                   "Switch the phone on and plug it in with a data cable; a charging-only cable "
                   "carries no data.") +
               u'\r' + ModemSwitchAdvice();
    case 1:
        return connected ? QCoreApplication::translate(
                               "tintora::Texts",
                               "Read, Write and Activate now work on the phone; Disconnect goes back to "
                               "the computer's files.")
                         : QCoreApplication::translate(
                               "tintora::Texts", "Connect enters phone mode: Read, Write and Activate then work on the phone.");
    case 2:
    case 3:
        return ModemSwitchAdvice();
    case 4:
        return PhonePermissionAdvice();
    case 5:
        return QCoreApplication::translate(
            "tintora::Texts",
            "A memory card cannot carry the phone's commands: choose the data (modem) connection "
            "in the phone's USB settings.");
    case 7:
        return ModemSwitchAdvice() + u'\r' +
               QCoreApplication::translate(
                   "tintora::Texts",
                   "This phone refused the switch or did not answer it within 2 seconds: unplug it "
                   "and plug it in again; \"tintora-cli phone probe\" says what it sees.");
    default:
        return QCoreApplication::translate(
            "tintora::Texts", "\"tintora-cli phone probe\" says what it sees; please send its output with a report.");
    }
}

}  // namespace

PhoneStateTexts PhoneState(int linkState, bool connected)
{
    PhoneStateTexts texts;
    texts.word = PhoneStateWord(linkState, connected);
    const QString reason = NoPhoneReason(linkState);
    texts.tooltip = reason.isEmpty() ? texts.word : reason;
    texts.advice = texts.tooltip + u'\r' + u'\r' + PhoneAdvice(linkState, connected);
    return texts;
}

QString PhoneGoneText(int linkState)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "The phone has gone (%1). Working with the computer now.")
        .arg(NoPhoneReason(linkState));
}

QString BackgroundProgressText(double share)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "Reading the background picture: %1 % (Esc cancels)")
        .arg(int(std::floor(share * 100)));
}

QString ReducedPictureText(const JpegReading &reading)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "The picture is %1 x %2 pixels, stored in several scans (progressive) "
                                       "and larger than %3 MiB whole: it was read at 1/%4 size")
        .arg(reading.width)
        .arg(reading.height)
        .arg(kJpegMemoryBudget >> 20)
        .arg(reading.reducedBy);
}

QString JpegErrorText(const JpegError &error)
{
    if (error.kind == JpegError::Kind::NotRegularFile)
        return NotRegularFileText(error.path);
    if (error.kind == JpegError::Kind::NotOpened)
        return NotOpenedText(error.path, error.detail);
    const QString reason = JpegReason(error);
    return error.path.isEmpty() ? reason : error.path + QStringLiteral(": ") + reason;
}

QString InexactArgumentText(const QString &argument)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "The name %1 is not valid UTF-8 and cannot be kept exactly; "
                                       "no file of that name is read or written")
        .arg(argument);
}

}  // namespace tintora

// The words, in the language of the installed translation, for what the lower layers report.
#include "wording.h"

#include "scheme/catalogue.h"
#include "scheme/systemreason.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>

#include <cmath>

namespace tintora {
namespace {

QString Translated(const char *context, const char *source)
{
    return source ? QCoreApplication::translate(context, source) : QString();
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
    return QCoreApplication::translate("tintora::Texts",
                                       "%1 %2: %3, APCA Lc %4, screen %5 %6 at (%7, %8), needs %9")
        .arg(place.element)
        .arg(ElementName(place.element), RatioText(place.ratio), QString::number(place.apca, 'f', 1))
        .arg(place.screen)
        .arg(ScreenCaption(place.screen))
        .arg(place.x)
        .arg(place.y)
        .arg(QString::number(place.bound, 'g', 2) + QStringLiteral(":1"));
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
    if (error.kind == JpegError::Kind::NotRegularFile || error.kind == JpegError::Kind::NotOpened) {
        const QString reason =
            error.kind == JpegError::Kind::NotOpened
                ? error.detail
                : QCoreApplication::translate("tintora::Texts", "not a regular file but a device, a pipe or a socket");
        return QCoreApplication::translate("tintora::Texts", "Cannot open %1: %2").arg(error.path, SystemReason(reason));
    }
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

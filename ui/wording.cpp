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

QString InexactArgumentText(const QString &argument)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "The name %1 is not valid UTF-8 and cannot be kept exactly; "
                                       "no file of that name is read or written")
        .arg(argument);
}

}  // namespace tintora

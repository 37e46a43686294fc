// The interface's texts that carry values, in the language of the installed translation.
#include "languagetables.h"

#include "wording.h"

#include "design/roles.h"
#include "settings/settings.h"

#include <QCoreApplication>

namespace tintora {

QString RoleTooltip(int element)
{
    return QCoreApplication::translate("tintora::Texts", "Role: %1")
        .arg(RoleName(RoleOf(element)));
}

QString ZoomDoesNotFitText(int zoom, QSize window, QSize room)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "At %1x the window (%2 x %3) would not fit the screen (%4 x %5)")
        .arg(zoom)
        .arg(window.width())
        .arg(window.height())
        .arg(room.width())
        .arg(room.height());
}

QString ZoomAtLargestText(int largest)
{
    if (largest >= kMaxPreviewZoom)
        return QCoreApplication::translate("tintora::Texts", "The preview is at its largest size, %1x").arg(largest);
    return QCoreApplication::translate("tintora::Texts",
                                       "The preview is at %1x: a larger size would not fit the screen")
        .arg(largest);
}

QString ZoomAtSmallestText()
{
    return QCoreApplication::translate("tintora::Texts", "The preview is at its smallest size, 1x");
}

QString ElementOnOtherScreenText(int element, int screen)
{
    return QCoreApplication::translate("tintora::Texts", "%1 — on \"%2\", double-click to go there")
        .arg(ElementName(element), ScreenCaption(screen));
}

QString UndrawnScreenText()
{
    return QCoreApplication::translate(
        "tintora::Texts", "These elements are drawn nowhere, except the days off on Datebook");
}

QString UndrawnScreenSkippedText(int screen)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "Screen \"%1\" not written: it draws none of its elements")
        .arg(ScreenCaption(screen));
}

QString MissingRecentFileText(const QString &path)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "File %1 not found; it is removed from the recent files.")
        .arg(path);
}

QString PhoneFolderLabel()
{
    return QCoreApplication::translate(
        "tintora::Texts", "Folder of spcolor.sch on the phone, such as /a/mobile/system/:");
}

QString ReplaceExportsText(int existing, int total, const QString &first, const QString &last)
{
    return QCoreApplication::translate("tintora::Texts",
                                       "Files already there: %1 of %2 (%3 .. %4).\rReplace them?")
        .arg(existing)
        .arg(total)
        .arg(first, last);
}

QString ExportedText(const QString &written)
{
    return QCoreApplication::translate("tintora::Texts", "Written: %1").arg(written);
}

}  // namespace tintora

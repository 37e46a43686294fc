// The application's name, desktop id, style and font substitutes, for the editor and the screenshot tool.
#include "applicationlook.h"

#include "applicationtitle.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>

namespace tintora {

void ApplyApplicationLook()
{
    // The name, not the display name: the window system would append a display name to
    // every window title.
    QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
#ifndef Q_OS_WIN
    // On Windows the themed native style.
    QApplication::setStyle(QStringLiteral("Windows"));
#endif
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
}

}  // namespace tintora

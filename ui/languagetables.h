// The interface's texts that carry values, in the language of the installed translation.
#pragma once

#include <QSize>
#include <QString>

namespace tintora {

// The tooltip of a zoom whose window would not fit the screen's room.
QString ZoomDoesNotFitText(int zoom, QSize window, QSize room);
// A zoom key pressed where the preview can grow (or shrink) no further; largest is the
// largest size that fits the screen.
QString ZoomAtLargestText(int largest);
QString ZoomAtSmallestText();
// A click on an element that the screen shown does not list, but screen does.
QString ElementOnOtherScreenText(int element, int screen);
// The Others screen draws none of its elements, so it shows, and exports, nothing of them.
QString UndrawnScreenText();
QString UndrawnScreenSkippedText(int screen);
QString MissingRecentFileText(const QString &path);
// "Роль: ..." / "Role: ...": the element list's tooltip.
QString RoleTooltip(int element);
// The label of the phone folder's field.
QString PhoneFolderLabel();

// The question before an export of all screens replaces existing of its total pictures
// first .. last, and the note of what an export wrote.
QString ReplaceExportsText(int existing, int total, const QString &first, const QString &last);
QString ExportedText(const QString &written);

}  // namespace tintora

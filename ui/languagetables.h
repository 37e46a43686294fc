// Every caption of the windows in Russian and English, by control name.
#pragma once

#include "scheme/colourscheme.h"

#include <QSize>
#include <QString>

#include <array>

namespace tintora {

// A text in both interface languages, UTF-8.
struct Bilingual {
    const char *russian;
    const char *english;
    // Russian for 0, English for anything else.
    QString text(Language language) const;
};

// A caption and the object name of the control that carries it.
struct Caption {
    const char *control;
    Bilingual text;
};

// Captions that depend on the work mode as well as the language.
struct ModeCaption {
    const char *control;
    Bilingual computer;
    Bilingual phone;
};

// In menu captions '&' marks the letter that Alt and the letter reach; it is shown as an
// underline, never as a character.
// The main window's captions set by the language alone, in the order they are set; the
// screen list's rows follow them (ScreenCaption). "AboutDialog" is the About box's title.
extern const std::array<Caption, 22> MainWindowCaptions;
extern const std::array<ModeCaption, 6> ModeCaptions;
// The captions of the preview's zoom and export menus.
extern const std::array<Caption, 5> PreviewMenuCaptions;
// The View menu's items beyond the zoom sizes.
extern const std::array<Caption, 3> ViewMenuCaptions;
// The tooltip of a zoom whose window would not fit the screen's room.
QString ZoomDoesNotFitText(Language language, int zoom, QSize window, QSize room);
// A click on an element that the screen shown does not list, but screen does.
QString ElementOnOtherScreenText(Language language, int element, int screen);
// The Others screen draws none of its elements, so it shows, and exports, nothing of them.
QString UndrawnScreenText(Language language);
QString UndrawnScreenSkippedText(Language language, int screen);
// The editor's own menu items beyond the tables above, set after them. undoAction and redoAction are
// followed by what the next undo or redo changes.
extern const std::array<Caption, 7> EditorCaptions;
QString EditorCaption(const char *control, Language language);
QString MissingRecentFileText(Language language, const QString &path);
// The menu items of the design help: a scheme from a picture, the contrast panel.
extern const std::array<Caption, 3> DesignCaptions;
// "Роль: ..." / "Role: ...": the element list's tooltip.
QString RoleTooltip(int element, Language language);
// The label of the phone folder's field.
QString PhoneFolderLabel(Language language);
// The settings dialog's texts; "PreviewSettingsDialog" is its title.
extern const std::array<Caption, 20> SettingsDialogCaptions;

// The question before an export of all screens replaces existing of its total pictures
// first .. last, and the note of what an export wrote.
QString ReplaceExportsText(Language language, int existing, int total, const QString &first,
                           const QString &last);
QString ExportedText(Language language, const QString &written);

// The About box exists only after the main window has applied its language.
QString AboutDialogTitle(Language language);

}  // namespace tintora

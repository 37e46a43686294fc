// What the windows ask of the user and the desktop, as an interface tests can script.
#pragma once

#include "phone/dialogs.h"

#include <QColor>
#include <QString>
#include <QUrl>

#include <optional>

namespace tintora {

// The question before unsaved changes are thrown away, with its three buttons' texts.
struct SaveQuestion {
    QString text;
    QString save;
    QString dontSave;
    QString cancel;
};
enum class SaveAnswer { Save, DontSave, Cancel };

// Everything the windows ask of the desktop beyond messages and scheme file dialogs.
class WindowDialogs : public Dialogs {
public:
    // Opens on initial; current, the selected element's colour, is the first custom colour,
    // one click away. nullopt when the user cancels.
    virtual std::optional<QColor> chooseColour(const QColor &initial, const QColor &current) = 0;
    // filter in the "Text(*.ext)|*.ext" form; empty result on cancel.
    virtual QString choosePictureFile(const QString &title, const QString &filter) = 0;
    // The result is not looked at: a missing mail program is not our report to make.
    virtual void openUrl(const QUrl &url) = 0;
    // A warning box; closing it without a button is Cancel.
    virtual SaveAnswer askToSave(const SaveQuestion &question) = 0;
    // One line of text to edit, starting as text; nullopt when the user cancels.
    virtual std::optional<QString> askText(const QString &title, const QString &label,
                                           const QString &text) = 0;
};

}  // namespace tintora

// File commands: New, Open, Save, Save As, recent files, the unsaved-changes question.
#pragma once

#include <QObject>
#include <QString>

#include "scheme/colourscheme.h"

namespace Ui {
class MainWindow;
}

namespace tintora {

class EditingPanel;
class PhoneCommands;
class PreviewPanel;
class SchemeDocument;
class WindowDialogs;
class WindowSettings;

// In phone mode Open reads and Save writes the phone's scheme.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(Ui::MainWindow &ui, SchemeDocument &document, EditingPanel &editing,
                 PreviewPanel &preview, PhoneCommands &phone, WindowSettings &settings,
                 WindowDialogs &dialogs);

    // Asks before unsaved changes go; false when the user keeps them.
    bool mayDiscardChanges();
    // A scheme dropped on the window or chosen from the recent files.
    void openSchemeFile(const QString &path);
    void fillRecentMenu();
    void showFilePath();

public slots:
    void newScheme();
    void openScheme();
    bool saveScheme();
    void saveSchemeAs();

signals:
    // Before a command replaces the scheme, whether it goes on to or not.
    void replacingScheme();
    // A new scheme is in the editor, with a history of its own.
    void schemeLoaded();
    void captionChanged(const QString &caption);
    void filePathChanged(const QString &path);

private:
    void showSavedName();
    void resetViewAfterLoad();
    void startFresh(bool fromComputer);
    void openRecentFile(const QString &path);
    void rememberRecentFile(const QString &path);

    Ui::MainWindow &ui_;
    SchemeDocument &document_;
    ColourScheme &scheme_;
    EditingPanel &editing_;
    PreviewPanel &preview_;
    PhoneCommands &phone_;
    WindowSettings &settings_;
    WindowDialogs &dialogs_;
};

}  // namespace tintora

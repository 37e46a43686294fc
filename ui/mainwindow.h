#pragma once

#include "schemedocument.h"
#include "settings/settings.h"

#include "phone/commandcontext.h"
#include "phone/connectionstate.h"

#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace Ui {
class MainWindow;
}

namespace tintora {

class Clock;
class PhoneLibrary;
class Preview;
class AboutDialog;
class PreviewSettingsDialog;
class WindowDialogs;

// What the main window is given rather than finding for itself, so tests can replace it.
struct MainWindowEnvironment {
    WindowDialogs *dialogs = nullptr;
    const Clock *clock = nullptr;
    PhoneLibrary *phone = nullptr;
    QString settingsPath;      // tintora.ini
    QStringList arguments;     // the command line without the program's name
    bool firstArgumentExact = true;  // false when decoding changed the first one's bytes
    QString fontFilePath;      // where "1stSortie.ttf" is unpacked
};

// "Tintora - [" + name + "]".
QString SchemeCaption(const QString &name);

// The editor's main window. It owns the scheme, the editor selection, the preview and the
// settings for the whole run; startUp runs in the constructor, shutDown in the
// destructor.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowEnvironment &environment, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The two dialogs are created after the main window and handed over once they exist.
    void setAboutDialog(AboutDialog *aboutDialog);
    void setSettingsDialog(PreviewSettingsDialog *dialog);

    void showSelectedElement();
    void selectFirstScreen();
    void fillElementCombo(bool resetIndex);
    void applyLanguage(Language language);
    void repaintPreview(int screen);

    ColourScheme &scheme() { return scheme_; }
    Settings &settings() { return settings_; }
    Preview &preview() { return *preview_; }
    Language language() const { return language_; }
    // The work mode (kComputerMode, kPhoneMode) and the connect command's state.
    ConnectionState &connection() { return connection_; }
    const QString &currentFilePath() const { return document_.filePath; }
    void setCurrentFilePath(const QString &path) { document_.filePath = path; }
    SchemeDocument &document() { return document_; }
    int selectedScreen() const { return selectedScreen_; }
    int selectedElement() const;
    PhoneLibrary &phone() { return *environment_.phone; }
    WindowDialogs &dialogs() { return *environment_.dialogs; }

public slots:
    void chooseScreen();
    void chooseElement();
    void chooseColour();
    void setTransparencyFromSlider();
    void setTransparencyFromSpin();
    void renameScheme();
    void chooseBackgroundPicture();
    void clearBackgroundPicture();
    void chooseLanguage(QAction *sender);
    void showPreviewSettings();
    void showAbout();
    void quit();
    // Phone link.
    void pollPhone();
    void toggleConnection();
    void openScheme();
    bool saveScheme();
    void activateScheme();
    // The preview's zoom, the element under a click, the hex colour field, export.
    void zoomPreview(int zoom);
    void pickElementAt(const QPoint &pixel);
    void applyHexColour(Colour colour);
    void exportScreen();
    void exportAllScreens();
    // The editor's own commands.
    void newScheme();
    void saveSchemeAs();
    void undo();
    void redo();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    CommandContext commandContext();
    void startUp();
    void shutDown();
    void connectControls();
    void setControlCaption(const char *control, const QString &text);
    void drawSwatch();
    void onScreenRowChanged(int row);
    void onScreenRowClicked(int row);
    void setUpPreviewPanel();
    void applyPreviewZoom(int zoom);
    // Steps 3 to 5 of a colour confirmed in the chooser, for every way a colour is chosen.
    void applySwatchColour();
    bool exportPreviewImage(const QString &path);

    // The editor's own commands: the document, its history, recent files, drops.
    void setUpFileCommands();
    void setCaption(const QString &caption);
    bool mayDiscardChanges();
    void showSavedName();
    void resetViewAfterLoad();
    void schemeLoaded(bool fromComputer);
    void openSchemeFile(const QString &path);
    void openRecentFile(const QString &path);
    void rememberRecentFile(const QString &path);
    void fillRecentMenu();
    void showFilePath();
    void showHistoryCaptions();
    void showRestoredEdit(EditKind kind, int element);
    void moveToElement(int element);
    void loadBackgroundPicture(const QString &path);
    bool takesDrop(const QDropEvent *event) const;

    MainWindowEnvironment environment_;
    std::unique_ptr<Ui::MainWindow> ui;
    QTimer phonePoll_;
    AboutDialog *aboutDialog_ = nullptr;
    PreviewSettingsDialog *settingsDialog_ = nullptr;

    SchemeDocument document_;
    // The document's scheme, which the handlers edit.
    ColourScheme &scheme_;
    Settings settings_;
    Language language_ = 0;
    ConnectionState connection_;
    PreviewPictures pictures_;
    std::unique_ptr<Preview> preview_;

    std::uint8_t selectedScreen_ = 0;
    std::uint8_t firstElement_ = 0;
    std::uint8_t elementCount_ = 0;
    Colour swatchColour_ = 0;
    // The colour chooser opens on what was last confirmed in it, black at first.
    Colour chooserColour_ = 0;
    // A mouse press that moved the screen row has run chooseScreen already; its release
    // must not run it again.
    int rowChangedByPress_ = -1;
    // Where the controls of the client area stand at zoom 1.
    QHash<QWidget *, QPoint> homePositions_;
};

}  // namespace tintora

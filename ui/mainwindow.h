// The editor's main window: one class, its parts implemented one concern to a file.
#pragma once

#include "schemedocument.h"
#include "interfacelanguage.h"
#include "settings/settings.h"

#include "phone/commandcontext.h"
#include "phone/connectionstate.h"

#include "preview/backgroundloader.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QRect>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <memory>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QShowEvent;
class QShortcut;

namespace Ui {
class MainWindow;
}

namespace tintora {

class AboutDialog;
class Clock;
class ContrastChecker;
class ContrastPanel;
class PhoneLibrary;
class Preview;
class PreviewSettingsDialog;
class ProfileFile;
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
    QRect screenArea;          // the room the window may take; empty: its screen's available area
};

// "Tintora - [" + name + "]".
QString SchemeCaption(const QString &name);

// The editor's main window. It owns the scheme, the editor selection, the preview and the
// settings for the whole run; startUp runs in the constructor.
//   mainwindow.cpp      the window, its menus and language, start-up, the two dialogs
//   editingpanel.cpp    screens, elements, swatch, hex field, transparency, name, undo
//   filecommands.cpp    New, Open, Save, Save As, recent files, drops, unsaved changes
//   phonecommands.cpp   connect, activate, the status poll
//   previewpanel.cpp    the preview, its background, zoom, click-to-pick, export
//   designcommands.cpp  the contrast panel and its marks, schemes from a picture
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
    // The captions that follow the work mode as well as the language, and the status icon.
    void applyLanguage();
    void repaintPreview(int screen);

    ColourScheme &scheme() { return scheme_; }
    Settings &settings() { return settings_; }
    Preview &preview() { return *preview_; }
    Language language() const { return language_; }
    // The code of the interface language, "ru" or "en".
    const QString &languageCode() const { return languageCode_; }
    // The work mode (WorkMode::Computer, WorkMode::Phone) and the connect command's state.
    ConnectionState &connection() { return connection_; }
    const QString &currentFilePath() const { return document_.filePath; }
    SchemeDocument &document() { return document_; }
    int selectedScreen() const { return selectedScreen_; }
    // Whether a background picture chosen or dropped is still being read.
    bool readingBackground() const { return backgroundLoader_.busy(); }
    int selectedElement() const;
    PhoneLibrary &phone() { return *environment_.phone; }
    WindowDialogs &dialogs() { return *environment_.dialogs; }

public slots:
    // The window: language, settings, About.
    void chooseLanguage(QAction *sender);
    void showPreviewSettings();
    // Configuration > Phone folder: [Phone] SpColorPath, shown and edited.
    void editPhoneFolder();
    void showAbout();
    // The editing panel.
    void chooseScreen();
    void chooseElement();
    void chooseColour();
    void applyHexColour(Colour colour);
    void setTransparencyFromSlider();
    void setTransparencyFromSpin();
    void renameScheme();
    void undo();
    void redo();
    // File commands; in phone mode Open reads and Save writes the phone's scheme.
    void newScheme();
    void openScheme();
    bool saveScheme();
    void saveSchemeAs();
    void quit();
    // Phone commands.
    void pollPhone();
    void toggleConnection();
    void activateScheme();
    // The preview panel.
    void chooseBackgroundPicture();
    void clearBackgroundPicture();
    void zoomPreview(int zoom);
    void pickElementAt(const QPoint &pixel);
    // Goes to the screen that lists the element under the pixel.
    void goToElementAt(const QPoint &pixel);
    // One zoom larger (1) or smaller (-1), among those that fit.
    void stepPreviewZoom(int step);
    void setMarkSelection(bool mark);
    void exportScreen();
    void exportAllScreens();
    // Design help.
    void newFromPicture();
    void anotherSuggestion();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    static constexpr int kClientWidth = 422;
    static constexpr int kClientHeight = 522;  // below the menu bar, the status bar included
    static constexpr int kStatusBarHeight = 24;
    static constexpr const char *kPictureFilter = "JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg";

    // The window.
    void setUpMenus();
    void startUp();
    void setLanguage(const QString &code);
    // Every caption in the installed language.
    void retranslateUi();
    void setCaption(const QString &caption);

    // The editing panel.
    void setUpEditingPanel();
    void drawSwatch();
    void onScreenRowChanged(int row);
    void onScreenRowClicked(int row);
    // Steps 3 to 5 of a colour confirmed in the chooser, for every way a colour is chosen.
    void applySwatchColour();
    void storeTransparency();
    void showHistoryCaptions();
    void showRestoredEdit(EditKind kind, int element);
    // Whether the screen shown lists element.
    bool listsElement(int element) const;
    void moveToElement(int element);

    // File commands.
    void setUpFileCommands();
    bool mayDiscardChanges();
    void showSavedName();
    void resetViewAfterLoad();
    void schemeLoaded(bool fromComputer);
    void openSchemeFile(const QString &path);
    void openRecentFile(const QString &path);
    void rememberRecentFile(const QString &path);
    void fillRecentMenu();
    void showFilePath();
    bool takesDrop(const QDropEvent *event) const;

    // Phone commands.
    void setUpPhoneCommands();
    CommandContext commandContext();
    void showWhyNoPhone();
    // A settings write that failed, in the interface language with the system's reason.
    void reportUnwritable(const ProfileFile &profile);

    // The preview panel.
    void setUpPreviewPanel();
    void applyPreviewZoom(int zoom);
    void loadBackgroundPicture(const QString &path);
    void showBackgroundPicture(const QImage &picture);
    void refuseBackgroundPicture(const QString &reason);
    void cancelBackgroundPicture();
    void endBackgroundProgress();
    bool exportPreviewImage(const QString &path);
    QRect screenArea() const;
    // Offers the zooms whose window fits the screen's room, and falls back to the largest of
    // them when the one shown no longer fits.
    void fitZoomToScreen();
    void keepOnScreen();
    void markSelectedElement();
    void noteUndrawnScreen();

    // Design help.
    void setUpDesignCommands();
    void showDesignCaptions();
    // After every repaint: the marks of the screen shown, and a check of all screens soon.
    void followContrast();
    void checkContrast();
    void applySuggestion();
    void showSuggestion(int element);
    void cancelPendingSuggestion();
    void forgetSuggestion();

    MainWindowEnvironment environment_;
    std::unique_ptr<Ui::MainWindow> ui;
    QTimer phonePoll_;
    QString noPhoneReason_;  // shown while Connect is disabled
    AboutDialog *aboutDialog_ = nullptr;
    PreviewSettingsDialog *settingsDialog_ = nullptr;

    SchemeDocument document_;
    // The document's scheme, which the handlers edit.
    ColourScheme &scheme_;
    Settings settings_;
    QString languageCode_;
    Language language_ = 0;
    InterfaceTranslation translation_;
    ConnectionState connection_;
    PreviewPictures pictures_;
    std::unique_ptr<Preview> preview_;
    // Declared after the preview, so a decode under way is stopped before it goes.
    BackgroundLoader backgroundLoader_;
    QAction *newFromPictureAction_ = nullptr;
    QAction *anotherSuggestionAction_ = nullptr;
    QShortcut *cancelBackgroundShortcut_ = nullptr;  // Esc, while a picture is read
    QString backgroundProgressText_;                  // what the status bar says of it

    std::uint8_t selectedScreen_ = 0;
    std::uint8_t firstElement_ = 0;
    std::uint8_t elementCount_ = 0;
    Colour swatchColour_ = 0;
    // The colour chooser opens on what was last confirmed in it, black at first.
    Colour chooserColour_ = 0;
    // A mouse press that moved the screen row has run chooseScreen already; its release
    // must not run it again.
    int rowChangedByPress_ = -1;
    ContrastPanel *contrastPanel_ = nullptr;
    std::unique_ptr<ContrastChecker> contrastChecker_;
    // Edits in a row are checked once, when the window is next idle.
    QTimer contrastTimer_;
    // The picture of the last suggestion, and which variant it gave; the picture chosen
    // with New from picture until it has been read.
    QImage suggestionPicture_;
    int suggestionVariant_ = 0;
    bool suggestionPending_ = false;
    // Where the controls of the client area stand at zoom 1.
    QHash<QWidget *, QPoint> homePositions_;
    // The controls that take the room a larger preview gives, as they are at zoom 1.
    QHash<QWidget *, QRect> stretchHomes_;
    int largestZoom_ = kMaxPreviewZoom;  // of those that fit the screen
    bool watchingScreen_ = false;
    bool markSelection_ = true;
    QString undrawnScreenNote_;  // what the status bar says of a screen without elements
};

}  // namespace tintora

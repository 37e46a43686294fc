// The editor's main window: one class, its parts implemented one concern to a file.
#pragma once

#include "interfacelanguage.h"
#include "schemedocument.h"
#include "windowsettings.h"

#include "scheme/colourscheme.h"

#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <memory>

class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QShowEvent;

namespace Ui {
class MainWindow;
}

namespace tintora {

class AboutDialog;
class Clock;
class DesignCommands;
class EditingPanel;
class ManualWindow;
class FileCommands;
class PhoneCommands;
class PhoneLibrary;
class PreviewPanel;
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
    QRect screenArea;          // the room the window may take; empty: its screen's available area
};

// The editor's main window: it owns the scheme document, the settings and the language for
// the whole run, and wires the panels that work on them, each in its own class:
//   EditingPanel    screens, elements, swatch, hex field, transparency, name, undo
//   FileCommands    New, Open, Save, Save As, recent files, unsaved changes
//   PhoneCommands   connect, activate, the status poll
//   PreviewPanel    the preview, its background, zoom, marks, export
//   DesignCommands  the contrast panel and its marks, schemes from a picture
// The window itself keeps its menus and language, start-up, drops and the two dialogs.
// startUp runs in the constructor.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowEnvironment &environment, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The two dialogs are created after the main window and handed over once they exist.
    void setAboutDialog(AboutDialog *aboutDialog);
    void setSettingsDialog(PreviewSettingsDialog *dialog);

    // The captions that follow the work mode as well as the language, and the status icon.
    void applyLanguage();

    EditingPanel &editing() { return *editing_; }
    PreviewPanel &previewPanel() { return *preview_; }
    FileCommands &files() { return *files_; }
    PhoneCommands &phoneCommands() { return *phone_; }
    DesignCommands &design() { return *design_; }

    ColourScheme &scheme() { return document_.scheme; }
    Settings &settings() { return settings_.values(); }
    // The code of the interface language, "ru" or "en".
    const QString &languageCode() const { return languageCode_; }
    const QString &currentFilePath() const { return document_.filePath; }
    SchemeDocument &document() { return document_; }
    PhoneLibrary &phone() { return *environment_.phone; }
    WindowDialogs &dialogs() { return *environment_.dialogs; }

public slots:
    // The window: language, settings, About.
    void chooseLanguage(QAction *sender);
    void showPreviewSettings();
    // Configuration > Phone folder: [Phone] SpColorPath, shown and edited.
    void editPhoneFolder();
    void showAbout();
    // Help > Manual, also F1.
    void showManual();

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

    void setUpMenus();
    // Each panel's signals to the window and to the other panels.
    void connectPanels();
    void startUp();
    void setLanguage(const QString &code);
    // Every caption in the installed language.
    void retranslateUi();
    void setCaption(const QString &caption);
    bool takesDrop(const QDropEvent *event) const;

    MainWindowEnvironment environment_;
    std::unique_ptr<Ui::MainWindow> ui;
    AboutDialog *aboutDialog_ = nullptr;
    PreviewSettingsDialog *settingsDialog_ = nullptr;
    ManualWindow *manualWindow_ = nullptr;

    SchemeDocument document_;
    WindowSettings settings_;
    QString languageCode_;
    InterfaceTranslation translation_;

    // After the document and the settings, which they work on, so they go first.
    std::unique_ptr<EditingPanel> editing_;
    std::unique_ptr<PhoneCommands> phone_;
    std::unique_ptr<PreviewPanel> preview_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<DesignCommands> design_;
};

}  // namespace tintora

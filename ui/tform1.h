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
class TForm1;
}

namespace tintora {

class Clock;
class PhoneLibrary;
class Preview;
class TAboutBox;
class TOKBottomDlg;
class WindowDialogs;

// What the main window is given rather than finding for itself, so tests can replace it.
struct FormEnvironment {
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
// settings for the whole run; FormCreate runs in the constructor, FormDestroy in the
// destructor.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const FormEnvironment &environment, QWidget *parent = nullptr);
    ~TForm1() override;

    // The two dialogs are created after the main window and handed over once they exist.
    void setAboutBox(TAboutBox *aboutBox);
    void setSettingsDialog(TOKBottomDlg *dialog);

    void ShowSelectedElement();
    void SelectFirstScreen();
    void FillElementCombo(bool resetIndex);
    void ApplyLanguage(Language language);
    void RepaintPreview(int screen);

    ColourScheme &scheme() { return scheme_; }
    Settings &settings() { return settings_; }
    Preview &preview() { return *preview_; }
    Language language() const { return language_; }
    // The work mode (kComputerMode, kPhoneMode) and the connect command's state.
    ConnectionState &connection() { return connection_; }
    const QString &currentFilePath() const { return document_.filePath; }
    void setCurrentFilePath(const QString &path) { document_.filePath = path; }
    SchemeDocument &document() { return document_; }
    int selectedScreen() const { return SelectedScreen; }
    int selectedElement() const;
    PhoneLibrary &phone() { return *environment_.phone; }
    WindowDialogs &dialogs() { return *environment_.dialogs; }

public slots:
    void ListBox1Click();
    void ComboBox2Change();
    void StaticText1Click();
    void TrackBar1Change();
    void SpinEdit1Change();
    void LabeledEdit1Change();
    void Button3Click();
    void Button4Click();
    void LanguageClick(QAction *sender);
    void N8Click();
    void N11Click();
    void Exit1Click();
    // Phone link.
    void Timer1Timer();
    void N13Click();
    void Button1Click();
    void Button2Click();
    void spcolorsch1Click();
    // The preview's zoom, the element under a click, the hex colour field, export.
    void ZoomClick(int zoom);
    void PreviewPixelClicked(const QPoint &pixel);
    void ColourHexEntered(Colour colour);
    void ExportScreenClick();
    void ExportAllScreensClick();
    // The editor's own commands.
    void New1Click();
    void SaveAs1Click();
    void Undo1Click();
    void Redo1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    CommandContext commandContext();
    void FormCreate();
    void FormDestroy();
    void connectHandlers();
    void setControlCaption(const char *control, const QString &text);
    void DrawSwatch();
    void onScreenRowChanged(int row);
    void onScreenRowClicked(int row);
    void connectPreviewTools();
    void ApplyPreviewZoom(int zoom);
    // Steps 3 to 5 of a colour confirmed in the chooser, for every way a colour is chosen.
    void ApplySwatchColour();
    bool ExportPreviewImage(const QString &path);

    // The editor's own commands: the document, its history, recent files, drops.
    void setUpEditorCommands();
    void setCaption(const QString &caption);
    bool mayDiscardChanges();
    bool saveScheme();
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

    FormEnvironment environment_;
    std::unique_ptr<Ui::TForm1> ui;
    QTimer Timer1;
    TAboutBox *aboutBox_ = nullptr;
    TOKBottomDlg *settingsDialog_ = nullptr;

    SchemeDocument document_;
    // The document's scheme, which the handlers edit.
    ColourScheme &scheme_;
    Settings settings_;
    Language language_ = 0;
    ConnectionState connection_;
    PreviewPictures pictures_;
    std::unique_ptr<Preview> preview_;

    std::uint8_t SelectedScreen = 0;
    std::uint8_t FirstElement = 0;
    std::uint8_t ElementCount = 0;
    Colour swatchColour_ = 0;
    // The colour chooser opens on what was last confirmed in it, black at first.
    Colour chooserColour_ = 0;
    // A mouse press that moved the screen row has run ListBox1Click already; its release
    // must not run it again.
    int rowChangedByPress_ = -1;
    // Where the controls of the client area stand at zoom 1.
    QHash<QWidget *, QPoint> homePositions_;
};

}  // namespace tintora

// Design help: the contrast panel and the weak pixels on the preview; schemes from a picture.
#pragma once

#include "schemeedit.h"

#include "design/suggest.h"
#include "scheme/colourscheme.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QAction;
class QMainWindow;

namespace Ui {
class MainWindow;
}

namespace tintora {

class ContrastChecker;
class ContrastPanel;
class EditingPanel;
class FileCommands;
class PreviewPanel;
class SuggestionChooser;
class SchemeDocument;
class WindowDialogs;
class WindowSettings;

class DesignCommands : public QObject {
    Q_OBJECT
public:
    // The contrast panel docks on window; the two commands join its File menu.
    DesignCommands(QMainWindow &window, Ui::MainWindow &ui, SchemeDocument &document,
                   EditingPanel &editing, PreviewPanel &preview, FileCommands &files,
                   WindowSettings &settings, WindowDialogs &dialogs);
    ~DesignCommands() override;

    ContrastPanel &contrastPanel() { return *contrastPanel_; }
    void retranslate();

public slots:
    void newFromPicture();
    // After every repaint: the marks of the screen shown, and a check of all screens soon.
    void followContrast();
    // A suggestion still waiting for its picture was asked for the scheme shown then; a
    // command that replaces that scheme or the background drops it, and its picture with it.
    void cancelPendingSuggestion();
    // The choice of suggestions belongs to the scheme it was opened over.
    void closeChooser();
    // The picture read for a suggestion is there, or will not come.
    void takePicture(const QImage &picture);
    void dropPendingSuggestion();

signals:
    void captionChanged(const QString &caption);

private:
    void checkContrast();
    // The weak pixels of the screen shown, or of the row chosen alone.
    void markWeakPixels();
    // 0 to kContrastBoundCount - 1, kept in tintora.ini.
    void chooseBound(int bound);
    void applySuggestion(const QImage &picture, const ColourScheme &scheme);
    void restoreBackground();
    void showSuggestion(int element);

    QMainWindow &window_;
    Ui::MainWindow &ui_;
    SchemeDocument &document_;
    ColourScheme &scheme_;
    EditingPanel &editing_;
    PreviewPanel &preview_;
    FileCommands &files_;
    WindowSettings &settings_;
    WindowDialogs &dialogs_;

    QAction *newFromPictureAction_ = nullptr;
    ContrastPanel *contrastPanel_ = nullptr;
    std::unique_ptr<ContrastChecker> contrastChecker_;
    // Edits in a row are checked once, when the window is next idle.
    QTimer contrastTimer_;
    // New from picture waits for its picture to be read, then offers its choice over it.
    bool suggestionPending_ = false;
    QImage backgroundBefore_;  // null for the plain background
    QPointer<SuggestionChooser> chooser_;
    // Light, dark or as the picture, for the rest of the session.
    SchemeTone tone_ = SchemeTone::AsPicture;
};

}  // namespace tintora

// Design help: the contrast panel and the weak pixels on the preview; schemes from a picture.
#pragma once

#include "schemeedit.h"

#include "scheme/colourscheme.h"

#include <QImage>
#include <QObject>
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
    void anotherSuggestion();
    // After every repaint: the marks of the screen shown, and a check of all screens soon.
    void followContrast();
    // A suggestion still waiting for its picture was asked for the scheme shown then; a
    // command that replaces that scheme or the background drops it, and its picture with it.
    void cancelPendingSuggestion();
    // Another suggestion belongs to the scheme the last one was made for.
    void forgetSuggestion();
    // The picture read for a suggestion is there, or will not come.
    void takePicture(const QImage &picture);
    void dropPendingSuggestion();

signals:
    void captionChanged(const QString &caption);

private:
    void checkContrast();
    void applySuggestion();
    void showSuggestion(int element);

    Ui::MainWindow &ui_;
    SchemeDocument &document_;
    ColourScheme &scheme_;
    EditingPanel &editing_;
    PreviewPanel &preview_;
    FileCommands &files_;
    WindowSettings &settings_;
    WindowDialogs &dialogs_;

    QAction *newFromPictureAction_ = nullptr;
    QAction *anotherSuggestionAction_ = nullptr;
    ContrastPanel *contrastPanel_ = nullptr;
    std::unique_ptr<ContrastChecker> contrastChecker_;
    // Edits in a row are checked once, when the window is next idle.
    QTimer contrastTimer_;
    // The picture of the last suggestion, and which variant it gave; the picture chosen
    // with New from picture until it has been read.
    QImage suggestionPicture_;
    int suggestionVariant_ = 0;
    bool suggestionPending_ = false;
};

}  // namespace tintora

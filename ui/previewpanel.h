// The preview panel: the picture, its background, zoom, the marks of the selected element,
// export.
#pragma once

#include "preview/backgroundloader.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

#include <memory>

class QMainWindow;
class QShortcut;

namespace Ui {
class MainWindow;
}

namespace tintora {

class Clock;
class Preview;
class SchemeDocument;
class WindowDialogs;
class WindowSettings;

class PreviewPanel : public QObject {
    Q_OBJECT
public:
    // Every picture taken as background first, then JPEG alone, as the filter always was.
    static QString pictureFilter();

    // The window grows with the preview; its client area stands at zoom 1 as it is now.
    PreviewPanel(QMainWindow &window, Ui::MainWindow &ui, const SchemeDocument &document,
                 WindowSettings &settings, WindowDialogs &dialogs, const Clock &clock,
                 const QRect &screenArea);

    // The thirteen pictures and the preview, once the preview's face is installed.
    void loadPictures();
    // The zoom and the marking stored in tintora.ini.
    void applyStoredView();

    Preview &preview() { return *preview_; }
    const PreviewPictures &pictures() const { return pictures_; }
    // The screen last repainted.
    int screen() const { return screen_; }
    // Whether a background picture chosen or dropped is still being read.
    bool readingBackground() const { return backgroundLoader_.busy(); }

    // A picture chosen, dropped or taken for a suggestion.
    void loadBackgroundPicture(const QString &path);
    // Stops a picture being read, for a suggestion or not, leaving the status bar as it is.
    void stopReadingBackground();
    // Offers the zooms whose window fits the screen's room, and falls back to the largest of
    // them when the one shown no longer fits.
    void fitZoomToScreen();
    // The window's screen and frame are known once it is shown.
    void windowShown();
    // The status text has replaced the note of a screen without elements.
    void renewUndrawnNote();

public slots:
    void repaint(int screen);
    void markElement(int element);
    void chooseBackgroundPicture();
    void clearBackgroundPicture();
    void cancelBackgroundPicture();
    void zoomPreview(int zoom);
    // One zoom larger (1) or smaller (-1), among those that fit.
    void stepPreviewZoom(int step);
    void setMarkSelection(bool mark);
    void exportScreen();
    void exportAllScreens();

signals:
    void repainted();
    void elementClicked(int element);
    void elementDoubleClicked(int element);
    void backgroundShown(const QImage &picture);
    // The picture being read was refused or given up.
    void backgroundAbandoned();

private:
    void applyPreviewZoom(int zoom);
    void showBackgroundPicture(const QImage &picture, const JpegReading &reading);
    void refuseBackgroundPicture(const JpegError &reason);
    void endBackgroundProgress();
    bool exportPreviewImage(const QString &path);
    QRect screenArea() const;
    void keepOnScreen();
    void noteUndrawnScreen();

    QMainWindow &window_;
    Ui::MainWindow &ui_;
    const SchemeDocument &document_;
    WindowSettings &settings_;
    WindowDialogs &dialogs_;
    const Clock &clock_;
    const QRect screenArea_;  // empty: the window's screen's available area

    PreviewPictures pictures_;
    std::unique_ptr<Preview> preview_;
    // Declared after the preview, so a decode under way is stopped before it goes.
    BackgroundLoader backgroundLoader_;
    QShortcut *cancelBackgroundShortcut_ = nullptr;  // Esc, while a picture is read
    QString backgroundProgressText_;                  // what the status bar says of it
    int screen_ = 0;
    // Where the controls of the client area stand at zoom 1, and its size then.
    QHash<QWidget *, QPoint> homePositions_;
    QSize clientHome_;
    // The controls that take the room a larger preview gives, as they are at zoom 1.
    QHash<QWidget *, QRect> stretchHomes_;
    int largestZoom_;  // of those that fit the screen
    bool watchingScreen_ = false;
    bool markSelection_ = true;
    QString undrawnScreenNote_;  // what the status bar says of a screen without elements
};

}  // namespace tintora

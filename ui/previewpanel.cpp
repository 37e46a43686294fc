// The preview panel: the picture, its background, zoom, the element under a click, export.
#include "previewpanel.h"

#include "languagetables.h"
#include "schemedocument.h"
#include "wording.h"
#include "selectionmark.h"
#include "statusbar.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "windowsettings.h"
#include "zoomfit.h"

#include "preview/anypicture.h"
#include "preview/clock.h"
#include "preview/preview.h"
#include "scheme/catalogue.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

#include <algorithm>

namespace tintora {
namespace {

const char *const kPngFilter = "PNG(*.png)|*.png";
constexpr int kHintMilliseconds = 6000;
constexpr int kPreviewSize = 128;
// Before the window system has framed the window: a title bar and borders as most desktops
// draw them.
constexpr QSize kAssumedFrame(8, 38);

// The path without a ".png" ending, which the export adds itself.
QString PngBase(const QString &path)
{
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? path.chopped(4) : path;
}

QList<QAction *> ZoomActions(const Ui::MainWindow &ui)
{
    return {ui.zoom1xAction, ui.zoom2xAction, ui.zoom3xAction, ui.zoom4xAction};
}

// What an export suggests: "mystyle" + suffix + ".png" beside the scheme file mystyle.sch,
// "screen" + suffix + ".png" while the scheme has no file.
QString ExportSuggestion(const QString &schemePath, const QString &suffix)
{
    if (schemePath.isEmpty())
        return QStringLiteral("screen") + suffix + QStringLiteral(".png");
    const QFileInfo scheme(schemePath);
    return scheme.dir().filePath(scheme.completeBaseName() + suffix + QStringLiteral(".png"));
}

}  // namespace

PreviewPanel::PreviewPanel(QMainWindow &window, Ui::MainWindow &ui, const SchemeDocument &document,
                           WindowSettings &settings, WindowDialogs &dialogs, const Clock &clock,
                           const QRect &screenArea)
    : window_(window),
      ui_(ui),
      document_(document),
      settings_(settings),
      dialogs_(dialogs),
      clock_(clock),
      screenArea_(screenArea),
      largestZoom_(kMaxPreviewZoom)
{
    connect(ui_.loadBackgroundButton, &QPushButton::clicked, this, &PreviewPanel::chooseBackgroundPicture);
    connect(ui_.loadBackgroundAction, &QAction::triggered, this, &PreviewPanel::chooseBackgroundPicture);
    connect(ui_.clearBackgroundButton, &QPushButton::clicked, this, &PreviewPanel::clearBackgroundPicture);
    const QList<QAction *> zooms = ZoomActions(ui_);
    auto *zoomGroup = new QActionGroup(this);
    for (int i = 0; i < zooms.size(); ++i) {
        zoomGroup->addAction(zooms[i]);
        connect(zooms[i], &QAction::triggered, this, [this, i] { zoomPreview(i + 1); });
    }
    ui_.zoom1xAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    // Ctrl+= is where Ctrl++ lies without Shift.
    ui_.zoomInAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ui_.zoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(ui_.zoomInAction, &QAction::triggered, this, [this] { stepPreviewZoom(1); });
    connect(ui_.zoomOutAction, &QAction::triggered, this, [this] { stepPreviewZoom(-1); });
    // At either end the menu item is disabled, yet its keys still say why nothing changes.
    for (const auto &[action, step] : {std::pair{ui_.zoomInAction, 1}, std::pair{ui_.zoomOutAction, -1}}) {
        for (const QKeySequence &keys : action->shortcuts()) {
            auto *limit = new QShortcut(keys, &window_);
            limit->setEnabled(!action->isEnabled());
            connect(action, &QAction::enabledChanged, limit, [limit](bool enabled) { limit->setEnabled(!enabled); });
            connect(limit, &QShortcut::activated, this, [this, step = step] { stepPreviewZoom(step); });
        }
    }
    // Disabled items say why in their tooltips.
    ui_.previewSizeMenu->setToolTipsVisible(true);
    ui_.exportPreviewMenu->setToolTipsVisible(true);
    connect(ui_.markSelectionAction, &QAction::triggered, this, &PreviewPanel::setMarkSelection);
    connect(ui_.previewDisplay, &PreviewDisplay::pixelClicked, this, [this](const QPoint &pixel) {
        emit elementClicked(preview_->elementMap().elementAt(pixel.x(), pixel.y()));
    });
    connect(ui_.previewDisplay, &PreviewDisplay::pixelDoubleClicked, this, [this](const QPoint &pixel) {
        emit elementDoubleClicked(preview_->elementMap().elementAt(pixel.x(), pixel.y()));
    });
    connect(&backgroundLoader_, &BackgroundLoader::progress, this, [this](double share) {
        backgroundProgressText_ = BackgroundProgressText(share);
        ui_.statusBar->showMessage(backgroundProgressText_);
    });
    connect(&backgroundLoader_, &BackgroundLoader::loaded, this, &PreviewPanel::showBackgroundPicture);
    connect(&backgroundLoader_, &BackgroundLoader::failed, this, &PreviewPanel::refuseBackgroundPicture);
    cancelBackgroundShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), &window_);
    cancelBackgroundShortcut_->setEnabled(false);
    connect(cancelBackgroundShortcut_, &QShortcut::activated, this, &PreviewPanel::cancelBackgroundPicture);
    connect(ui_.exportScreenAction, &QAction::triggered, this, &PreviewPanel::exportScreen);
    connect(ui_.exportAllScreensAction, &QAction::triggered, this, &PreviewPanel::exportAllScreens);
    for (QWidget *control : ui_.clientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        homePositions_.insert(control, control->pos());
    clientHome_ = ui_.clientArea->minimumSize();
    for (QWidget *control : std::initializer_list<QWidget *>{
             ui_.elementCombo, ui_.parametersGroup, ui_.screenList, ui_.transparencySlider,
             ui_.transparencySpin})
        stretchHomes_.insert(control, control->geometry());
}

void PreviewPanel::loadPictures()
{
    pictures_ = LoadPreviewPictures();
    preview_ = std::make_unique<Preview>(document_.scheme, settings_.values().preview, clock_,
                                         pictures_);
}

void PreviewPanel::applyStoredView()
{
    applyPreviewZoom(ReadPreviewZoom(settings_.file()));
    fitZoomToScreen();
    markSelection_ = ReadMarkSelection(settings_.file());
    ui_.markSelectionAction->setChecked(markSelection_);
}

void PreviewPanel::repaint(int screen)
{
    screen_ = screen;
    preview_->RepaintPreview(screen);
    ui_.previewDisplay->showPreview(preview_->image());
    // The contrast marks follow before the note of a screen without elements.
    emit repainted();
    noteUndrawnScreen();
}

// The selected element's pixels blink on the display; the picture and its exports stay as
// they are.
void PreviewPanel::markElement(int element)
{
    if (!markSelection_)
        return;
    const QImage marked = MarkedElement(preview_->image(), preview_->elementMap(), element);
    if (!marked.isNull())
        ui_.previewDisplay->blink(marked);
}

void PreviewPanel::setMarkSelection(bool mark)
{
    markSelection_ = mark;
    if (!mark)
        ui_.previewDisplay->endBlink();
    if (!WriteMarkSelection(settings_.file(), mark))
        settings_.reportUnwritable();
}

void PreviewPanel::renewUndrawnNote()
{
    if (!undrawnScreenNote_.isEmpty()) {
        undrawnScreenNote_.clear();
        noteUndrawnScreen();
    }
}

// The Others screen draws none of its elements: the status bar says so while it is shown,
// and there is no picture of it to export.
void PreviewPanel::noteUndrawnScreen()
{
    const bool undrawn = preview_->elementMap().isEmpty();
    const QString note = undrawn ? UndrawnScreenText() : QString();
    ui_.exportScreenAction->setEnabled(!undrawn);
    ui_.exportScreenAction->setToolTip(note);
    // Unchanged, a note shown over it since stays.
    if (note == undrawnScreenNote_)
        return;
    if (!undrawnScreenNote_.isEmpty() && ui_.statusBar->currentMessage() == undrawnScreenNote_)
        ui_.statusBar->clearMessage();
    undrawnScreenNote_ = note;
    if (!note.isEmpty())
        ui_.statusBar->showMessage(note);
}

void PreviewPanel::stopReadingBackground()
{
    backgroundLoader_.cancel();
}

QString PreviewPanel::pictureFilter()
{
    QStringList patterns;
    for (const QString &suffix : BackgroundPictureSuffixes())
        patterns << QStringLiteral("*.") + suffix;
    return QStringLiteral("Pictures (%1)|%2|JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg")
        .arg(patterns.join(QLatin1Char(',')), patterns.join(QLatin1Char(';')));
}

void PreviewPanel::chooseBackgroundPicture()
{
    const QString path = dialogs_.choosePictureFile(ui_.loadBackgroundButton->text(), pictureFilter());
    if (path.isEmpty())
        return;
    loadBackgroundPicture(path);
}

void PreviewPanel::loadBackgroundPicture(const QString &path)
{
    // Decoded and stretched row by row, away from the window, which stays live
    // meanwhile; a picture chosen later replaces this one.
    backgroundLoader_.load(path, QSize(kPreviewSize, kPreviewSize));
    cancelBackgroundShortcut_->setEnabled(true);
}

void PreviewPanel::showBackgroundPicture(const QImage &picture, const JpegReading &reading)
{
    endBackgroundProgress();
    if (reading.reducedBy > 1)
        ui_.statusBar->showMessage(ReducedPictureText(reading));
    preview_->setBackgroundPicture(picture);
    repaint(screen_);
    ui_.clearBackgroundButton->setEnabled(true);
    emit backgroundShown(picture);
}

// A refused file changes nothing.
void PreviewPanel::refuseBackgroundPicture(const JpegError &reason)
{
    emit backgroundAbandoned();
    endBackgroundProgress();
    dialogs_.reportError(JpegErrorText(reason));
}

void PreviewPanel::cancelBackgroundPicture()
{
    backgroundLoader_.cancel();
    emit backgroundAbandoned();
    endBackgroundProgress();
}

// A note shown over the progress since is left standing.
void PreviewPanel::endBackgroundProgress()
{
    cancelBackgroundShortcut_->setEnabled(false);
    if (!backgroundProgressText_.isEmpty() && ui_.statusBar->currentMessage() == backgroundProgressText_)
        ui_.statusBar->clearMessage();
    backgroundProgressText_.clear();
}

// A picture still being read, for a suggestion or not, would bring the background back.
void PreviewPanel::clearBackgroundPicture()
{
    cancelBackgroundPicture();
    preview_->clearBackgroundPicture();
    repaint(screen_);
    ui_.clearBackgroundButton->setEnabled(false);
}

// The preview grows to the right and down; what stands right of it or below it moves along,
// the controls beside and below it take the room it gives, and the window grows by as much.
void PreviewPanel::applyPreviewZoom(int zoom)
{
    ui_.previewDisplay->setZoom(zoom);
    zoom = ui_.previewDisplay->zoom();
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    const QPoint previewHome = homePositions_.value(ui_.previewDisplay);
    const int previewRight = previewHome.x() + PreviewDisplay::kPreviewSize;
    const int previewBottom = previewHome.y() + PreviewDisplay::kPreviewSize;
    for (auto it = homePositions_.cbegin(); it != homePositions_.cend(); ++it) {
        const QPoint home = it.value();
        it.key()->move(home.x() + (home.x() >= previewRight ? grow : 0),
                       home.y() + (home.y() >= previewBottom ? grow : 0));
    }
    const auto home = [this](QWidget *control) { return stretchHomes_.value(control); };
    for (QWidget *wider : std::initializer_list<QWidget *>{ui_.elementCombo, ui_.parametersGroup,
                                                           ui_.transparencySlider})
        wider->resize(home(wider).size() + QSize(grow, 0));
    ui_.screenList->resize(home(ui_.screenList).size() + QSize(0, grow));
    ui_.transparencySpin->move(home(ui_.transparencySpin).topLeft() + QPoint(grow, 0));
    ui_.clientArea->setFixedSize(WindowSizeAtZoom(clientHome_, zoom));
    ZoomActions(ui_)[zoom - 1]->setChecked(true);
    window_.layout()->activate();
}

QRect PreviewPanel::screenArea() const
{
    return screenArea_.isValid() ? screenArea_ : window_.screen()->availableGeometry();
}

// What does not fit stays remembered in tintora.ini for a larger screen.
void PreviewPanel::fitZoomToScreen()
{
    const int zoom = ui_.previewDisplay->zoom();
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    QSize frame = window_.frameGeometry().size() - window_.size();
    if (frame.isEmpty())
        frame = kAssumedFrame;
    const QSize outerAt1x = window_.size() + frame - QSize(grow, grow);
    const QSize room = screenArea().size();
    largestZoom_ = LargestFittingZoom(outerAt1x, room);
    const QList<QAction *> zooms = ZoomActions(ui_);
    for (int i = 0; i < zooms.size(); ++i) {
        const bool fits = i + 1 <= largestZoom_;
        zooms[i]->setEnabled(fits);
        zooms[i]->setToolTip(fits ? QString()
                                  : ZoomDoesNotFitText(i + 1,
                                                       WindowSizeAtZoom(outerAt1x, i + 1), room));
    }
    if (zoom > largestZoom_)
        applyPreviewZoom(largestZoom_);
    ui_.zoomInAction->setEnabled(ui_.previewDisplay->zoom() < largestZoom_);
    ui_.zoomOutAction->setEnabled(ui_.previewDisplay->zoom() > 1);
    keepOnScreen();
}

// A window grown past the screen's edge moves back inside it.
void PreviewPanel::keepOnScreen()
{
    if (!window_.isVisible())
        return;
    const QRect area = screenArea();
    const QRect frame = window_.frameGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        window_.move(window_.pos() + QPoint(x - frame.left(), y - frame.top()));
}

void PreviewPanel::windowShown()
{
    if (!watchingScreen_ && window_.windowHandle()) {
        watchingScreen_ = true;
        connect(window_.windowHandle(), &QWindow::screenChanged, this, &PreviewPanel::fitZoomToScreen);
    }
    fitZoomToScreen();
}

void PreviewPanel::stepPreviewZoom(int step)
{
    const int zoom = std::clamp(ui_.previewDisplay->zoom() + step, 1, largestZoom_);
    if (zoom != ui_.previewDisplay->zoom())
        zoomPreview(zoom);
    else
        ui_.statusBar->showMessage(step > 0 ? ZoomAtLargestText(largestZoom_) : ZoomAtSmallestText());
}

void PreviewPanel::zoomPreview(int zoom)
{
    applyPreviewZoom(zoom);
    fitZoomToScreen();
    if (!WritePreviewZoom(settings_.file(), zoom))
        settings_.reportUnwritable();
}

bool PreviewPanel::exportPreviewImage(const QString &path)
{
    QImageWriter writer(path, "PNG");
    if (writer.write(PreviewDisplay::Enlarged(preview_->image(), ui_.previewDisplay->zoom())))
        return true;
    dialogs_.reportError(UnableToWriteText(path, writer.errorString()));
    return false;
}

// The file dialog has asked before replacing the one file.
void PreviewPanel::exportScreen()
{
    const QString path = dialogs_.chooseSaveFile(
        ui_.exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
        ExportSuggestion(document_.filePath, QStringLiteral("-%1").arg(screen_)));
    if (path.isEmpty())
        return;
    const QString file = PngBase(path) + QStringLiteral(".png");
    if (exportPreviewImage(file))
        ui_.statusBar->showMessage(ExportedText(QDir::toNativeSeparators(file)));
}

// NAME.png becomes NAME-0.png .. NAME-7.png, one per screen row; the Others row, 8, draws
// none of its elements and is left out with a note. Pictures already there are replaced only
// after one question for all. The window then shows its own screen again.
void PreviewPanel::exportAllScreens()
{
    const QString path =
        dialogs_.chooseSaveFile(ui_.exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
                                 ExportSuggestion(document_.filePath, QString()));
    if (path.isEmpty())
        return;
    const QString base = PngBase(path);
    // A screen that draws none of its elements would be a blank picture.
    QList<int> screens;
    int skipped = -1;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        preview_->RepaintPreview(screen);
        if (preview_->elementMap().isEmpty())
            skipped = screen;
        else
            screens << screen;
    }
    QStringList files;
    int existing = 0;
    for (const int screen : screens) {
        files << base + QStringLiteral("-%1.png").arg(screen);
        existing += QFileInfo::exists(files.constLast()) ? 1 : 0;
    }
    const QString first = QDir::toNativeSeparators(files.constFirst());
    const QString last = QFileInfo(files.constLast()).fileName();
    if (existing > 0 && !dialogs_.askYesNo(ReplaceExportsText(existing, files.size(), first, last))) {
        repaint(screen_);
        return;
    }
    bool written = true;
    for (int i = 0; i < screens.size() && written; ++i) {
        preview_->RepaintPreview(screens[i]);
        written = exportPreviewImage(files[i]);
    }
    repaint(screen_);
    if (!written)
        return;
    QString note = ExportedText(first + QStringLiteral(" .. ") + last);
    if (skipped >= 0)
        note += QStringLiteral(". ") + UndrawnScreenSkippedText(skipped);
    ui_.statusBar->showMessage(note);
}

}  // namespace tintora

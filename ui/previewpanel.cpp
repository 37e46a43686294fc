// The preview panel: the picture, its background, zoom, the element under a click, export.
#include "mainwindow.h"

#include "languagetables.h"
#include "wording.h"
#include "selectionmark.h"
#include "settings/profilefile.h"
#include "ui_mainwindow.h"
#include "zoomfit.h"

#include <QImageWriter>
#include "windowdialogs.h"

#include "preview/preview.h"
#include "scheme/catalogue.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
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

void MainWindow::setUpPreviewPanel()
{
    connect(ui->loadBackgroundButton, &QPushButton::clicked, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->loadBackgroundAction, &QAction::triggered, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->clearBackgroundButton, &QPushButton::clicked, this, &MainWindow::clearBackgroundPicture);
    const QList<QAction *> zooms = ZoomActions(*ui);
    auto *zoomGroup = new QActionGroup(this);
    for (int i = 0; i < zooms.size(); ++i) {
        zoomGroup->addAction(zooms[i]);
        connect(zooms[i], &QAction::triggered, this, [this, i] { zoomPreview(i + 1); });
    }
    ui->zoom1xAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    // Ctrl+= is where Ctrl++ lies without Shift.
    ui->zoomInAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    ui->zoomOutAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(ui->zoomInAction, &QAction::triggered, this, [this] { stepPreviewZoom(1); });
    connect(ui->zoomOutAction, &QAction::triggered, this, [this] { stepPreviewZoom(-1); });
    // Disabled items say why in their tooltips.
    ui->previewSizeMenu->setToolTipsVisible(true);
    ui->exportPreviewMenu->setToolTipsVisible(true);
    connect(ui->markSelectionAction, &QAction::triggered, this, &MainWindow::setMarkSelection);
    connect(ui->previewDisplay, &PreviewDisplay::pixelClicked, this, &MainWindow::pickElementAt);
    connect(ui->previewDisplay, &PreviewDisplay::pixelDoubleClicked, this, &MainWindow::goToElementAt);
    // A name found on one screen says nothing about the next.
    connect(ui->screenList, &QListWidget::currentRowChanged, ui->statusBar,
            &StatusBar::clearHint);
    connect(&backgroundLoader_, &BackgroundLoader::progress, this, [this](double share) {
        backgroundProgressText_ = BackgroundProgressText(share);
        ui->statusBar->showMessage(backgroundProgressText_);
    });
    connect(&backgroundLoader_, &BackgroundLoader::loaded, this, &MainWindow::showBackgroundPicture);
    connect(&backgroundLoader_, &BackgroundLoader::failed, this, &MainWindow::refuseBackgroundPicture);
    cancelBackgroundShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    cancelBackgroundShortcut_->setEnabled(false);
    connect(cancelBackgroundShortcut_, &QShortcut::activated, this, &MainWindow::cancelBackgroundPicture);
    connect(ui->exportScreenAction, &QAction::triggered, this, &MainWindow::exportScreen);
    connect(ui->exportAllScreensAction, &QAction::triggered, this, &MainWindow::exportAllScreens);
    for (QWidget *control : ui->clientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        homePositions_.insert(control, control->pos());
    for (QWidget *control : std::initializer_list<QWidget *>{
             ui->elementCombo, ui->parametersGroup, ui->screenList, ui->transparencySlider,
             ui->transparencySpin})
        stretchHomes_.insert(control, control->geometry());
}

void MainWindow::repaintPreview(int screen)
{
    preview_->RepaintPreview(screen);
    ui->previewDisplay->showPreview(preview_->image());
    followContrast();
    noteUndrawnScreen();
}

// The selected element's pixels blink on the display; the picture and its exports stay as
// they are.
void MainWindow::markSelectedElement()
{
    if (!markSelection_)
        return;
    const QImage marked = MarkedElement(preview_->image(), preview_->elementMap(), selectedElement());
    if (!marked.isNull())
        ui->previewDisplay->blink(marked);
}

void MainWindow::setMarkSelection(bool mark)
{
    markSelection_ = mark;
    if (!mark)
        ui->previewDisplay->endBlink();
    ProfileFile profile(environment_.settingsPath);
    if (!WriteMarkSelection(profile, mark))
        reportUnwritable(profile);
}

// The Others screen draws none of its elements: the status bar says so while it is shown,
// and there is no picture of it to export.
void MainWindow::noteUndrawnScreen()
{
    const bool undrawn = preview_->elementMap().isEmpty();
    const QString note = undrawn ? UndrawnScreenText() : QString();
    ui->exportScreenAction->setEnabled(!undrawn);
    ui->exportScreenAction->setToolTip(note);
    // Unchanged, a note shown over it since stays.
    if (note == undrawnScreenNote_)
        return;
    if (!undrawnScreenNote_.isEmpty() && ui->statusBar->currentMessage() == undrawnScreenNote_)
        ui->statusBar->clearMessage();
    undrawnScreenNote_ = note;
    if (!note.isEmpty())
        ui->statusBar->showMessage(note);
}

void MainWindow::chooseBackgroundPicture()
{
    const QString path = dialogs().choosePictureFile(ui->loadBackgroundButton->text(),
                                                      QString::fromLatin1(kPictureFilter));
    if (path.isEmpty())
        return;
    loadBackgroundPicture(path);
}

// A picture chosen, dropped or taken for a suggestion.
void MainWindow::loadBackgroundPicture(const QString &path)
{
    // Decoded and stretched row by row, away from the window, which stays live
    // meanwhile; a picture chosen later replaces this one.
    backgroundLoader_.load(path, language_, QSize(kPreviewSize, kPreviewSize));
    cancelBackgroundShortcut_->setEnabled(true);
}

void MainWindow::showBackgroundPicture(const QImage &picture)
{
    endBackgroundProgress();
    preview_->setBackgroundPicture(picture);
    repaintPreview(selectedScreen_);
    ui->clearBackgroundButton->setEnabled(true);
    if (suggestionPending_) {
        suggestionPending_ = false;
        suggestionPicture_ = picture;
        suggestionVariant_ = 0;
        applySuggestion();
    }
}

// A refused file changes nothing.
void MainWindow::refuseBackgroundPicture(const QString &reason)
{
    suggestionPending_ = false;
    endBackgroundProgress();
    dialogs().reportError(reason);
}

void MainWindow::cancelBackgroundPicture()
{
    backgroundLoader_.cancel();
    suggestionPending_ = false;
    endBackgroundProgress();
}

// A note shown over the progress since is left standing.
void MainWindow::endBackgroundProgress()
{
    cancelBackgroundShortcut_->setEnabled(false);
    if (!backgroundProgressText_.isEmpty() && ui->statusBar->currentMessage() == backgroundProgressText_)
        ui->statusBar->clearMessage();
    backgroundProgressText_.clear();
}

// A picture still being read, for a suggestion or not, would bring the background back.
void MainWindow::clearBackgroundPicture()
{
    cancelBackgroundPicture();
    preview_->clearBackgroundPicture();
    repaintPreview(selectedScreen_);
    ui->clearBackgroundButton->setEnabled(false);
}

// The preview grows to the right and down; what stands right of it or below it moves along,
// the controls beside and below it take the room it gives, and the window grows by as much.
void MainWindow::applyPreviewZoom(int zoom)
{
    ui->previewDisplay->setZoom(zoom);
    zoom = ui->previewDisplay->zoom();
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    const QPoint previewHome = homePositions_.value(ui->previewDisplay);
    const int previewRight = previewHome.x() + PreviewDisplay::kPreviewSize;
    const int previewBottom = previewHome.y() + PreviewDisplay::kPreviewSize;
    for (auto it = homePositions_.cbegin(); it != homePositions_.cend(); ++it) {
        const QPoint home = it.value();
        it.key()->move(home.x() + (home.x() >= previewRight ? grow : 0),
                       home.y() + (home.y() >= previewBottom ? grow : 0));
    }
    const auto home = [this](QWidget *control) { return stretchHomes_.value(control); };
    for (QWidget *wider : std::initializer_list<QWidget *>{ui->elementCombo, ui->parametersGroup,
                                                           ui->transparencySlider})
        wider->resize(home(wider).size() + QSize(grow, 0));
    ui->screenList->resize(home(ui->screenList).size() + QSize(0, grow));
    ui->transparencySpin->move(home(ui->transparencySpin).topLeft() + QPoint(grow, 0));
    ui->clientArea->setFixedSize(
        WindowSizeAtZoom(QSize(kClientWidth, kClientHeight - kStatusBarHeight), zoom));
    ZoomActions(*ui)[zoom - 1]->setChecked(true);
    layout()->activate();
}

QRect MainWindow::screenArea() const
{
    return environment_.screenArea.isValid() ? environment_.screenArea
                                             : screen()->availableGeometry();
}

// What does not fit stays remembered in tintora.ini for a larger screen.
void MainWindow::fitZoomToScreen()
{
    const int zoom = ui->previewDisplay->zoom();
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty())
        frame = kAssumedFrame;
    const QSize outerAt1x = size() + frame - QSize(grow, grow);
    const QSize room = screenArea().size();
    largestZoom_ = LargestFittingZoom(outerAt1x, room);
    const QList<QAction *> zooms = ZoomActions(*ui);
    for (int i = 0; i < zooms.size(); ++i) {
        const bool fits = i + 1 <= largestZoom_;
        zooms[i]->setEnabled(fits);
        zooms[i]->setToolTip(fits ? QString()
                                  : ZoomDoesNotFitText(i + 1,
                                                       WindowSizeAtZoom(outerAt1x, i + 1), room));
    }
    if (zoom > largestZoom_)
        applyPreviewZoom(largestZoom_);
    ui->zoomInAction->setEnabled(ui->previewDisplay->zoom() < largestZoom_);
    ui->zoomOutAction->setEnabled(ui->previewDisplay->zoom() > 1);
    keepOnScreen();
}

// A window grown past the screen's edge moves back inside it.
void MainWindow::keepOnScreen()
{
    if (!isVisible())
        return;
    const QRect area = screenArea();
    const QRect frame = frameGeometry();
    const int x = std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    if (x != frame.left() || y != frame.top())
        move(pos() + QPoint(x - frame.left(), y - frame.top()));
}

// The window's screen and frame are known once it is shown.
void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!watchingScreen_ && windowHandle()) {
        watchingScreen_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::fitZoomToScreen);
    }
    fitZoomToScreen();
}

void MainWindow::stepPreviewZoom(int step)
{
    const int zoom = std::clamp(ui->previewDisplay->zoom() + step, 1, largestZoom_);
    if (zoom != ui->previewDisplay->zoom())
        zoomPreview(zoom);
}

void MainWindow::zoomPreview(int zoom)
{
    applyPreviewZoom(zoom);
    fitZoomToScreen();
    ProfileFile profile(environment_.settingsPath);
    if (!WritePreviewZoom(profile, zoom))
        reportUnwritable(profile);
}

// The element that drew the pixel is chosen when the screen lists it; otherwise its name and
// its screen are shown, where a double click goes. Pictures and fixed colours belong to no
// element.
void MainWindow::pickElementAt(const QPoint &pixel)
{
    const int element = preview_->elementMap().elementAt(pixel.x(), pixel.y());
    ui->statusBar->clearHint();
    if (element == 0)
        return;
    if (listsElement(element)) {
        ui->elementCombo->setCurrentIndex(element - firstElement_);
        chooseElement();
        return;
    }
    ui->statusBar->showHint(ElementOnOtherScreenText(element, ScreenOfElement(element)),
                            kHintMilliseconds);
}

void MainWindow::goToElementAt(const QPoint &pixel)
{
    const int element = preview_->elementMap().elementAt(pixel.x(), pixel.y());
    if (element == 0 || listsElement(element))
        return;
    ui->screenList->setCurrentRow(ScreenOfElement(element));
    // The row did not change by a press on the list.
    rowChangedByPress_ = -1;
    ui->elementCombo->setCurrentIndex(element - firstElement_);
    chooseElement();
}

bool MainWindow::exportPreviewImage(const QString &path)
{
    QImageWriter writer(path, "PNG");
    if (writer.write(PreviewDisplay::Enlarged(preview_->image(), ui->previewDisplay->zoom())))
        return true;
    dialogs().reportError(UnableToWriteText(path, writer.errorString()));
    return false;
}

// The file dialog has asked before replacing the one file.
void MainWindow::exportScreen()
{
    const QString path = dialogs().chooseSaveFile(
        ui->exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
        ExportSuggestion(document_.filePath, QStringLiteral("-%1").arg(selectedScreen_)));
    if (path.isEmpty())
        return;
    const QString file = PngBase(path) + QStringLiteral(".png");
    if (exportPreviewImage(file))
        ui->statusBar->showMessage(ExportedText(QDir::toNativeSeparators(file)));
}

// NAME.png becomes NAME-0.png .. NAME-7.png, one per screen row; the Others row, 8, draws
// none of its elements and is left out with a note. Pictures already there are replaced only
// after one question for all. The window then shows its own screen again.
void MainWindow::exportAllScreens()
{
    const QString path =
        dialogs().chooseSaveFile(ui->exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
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
    if (existing > 0 && !dialogs().askYesNo(ReplaceExportsText(existing, files.size(), first, last))) {
        repaintPreview(selectedScreen_);
        return;
    }
    bool written = true;
    for (int i = 0; i < screens.size() && written; ++i) {
        preview_->RepaintPreview(screens[i]);
        written = exportPreviewImage(files[i]);
    }
    repaintPreview(selectedScreen_);
    if (!written)
        return;
    QString note = ExportedText(first + QStringLiteral(" .. ") + last);
    if (skipped >= 0)
        note += QStringLiteral(". ") + UndrawnScreenSkippedText(skipped);
    ui->statusBar->showMessage(note);
}

}  // namespace tintora

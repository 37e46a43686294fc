// The preview panel: the picture, its background, zoom, the element under a click, export.
#include "mainwindow.h"

#include "languagetables.h"
#include "settings/profilefile.h"
#include "ui_mainwindow.h"

#include <QImageWriter>
#include "windowdialogs.h"

#include "preview/preview.h"
#include "scheme/catalogue.h"

#include <QActionGroup>
#include <QLayout>
#include <QShortcut>

namespace tintora {
namespace {

const char *const kPngFilter = "PNG(*.png)|*.png";
constexpr int kHintMilliseconds = 6000;
constexpr int kPreviewSize = 128;

// The path without a ".png" ending, which the export adds itself.
QString PngBase(const QString &path)
{
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? path.chopped(4) : path;
}

}  // namespace

void MainWindow::setUpPreviewPanel()
{
    connect(ui->loadBackgroundButton, &QPushButton::clicked, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->loadBackgroundAction, &QAction::triggered, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->clearBackgroundButton, &QPushButton::clicked, this, &MainWindow::clearBackgroundPicture);
    const QList<QAction *> zooms = {ui->zoom1xAction, ui->zoom2xAction, ui->zoom3xAction, ui->zoom4xAction};
    auto *zoomGroup = new QActionGroup(this);
    for (int i = 0; i < zooms.size(); ++i) {
        zoomGroup->addAction(zooms[i]);
        connect(zooms[i], &QAction::triggered, this, [this, i] { zoomPreview(i + 1); });
    }
    connect(ui->previewDisplay, &PreviewDisplay::pixelClicked, this, &MainWindow::pickElementAt);
    // A name found on one screen says nothing about the next.
    connect(ui->screenList, &QListWidget::currentRowChanged, ui->statusBar,
            &StatusBar::clearHint);
    connect(&backgroundLoader_, &BackgroundLoader::progress, this, [this](double share) {
        backgroundProgressText_ = BackgroundProgressText(language_, share);
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
}

void MainWindow::repaintPreview(int screen)
{
    preview_->RepaintPreview(screen);
    ui->previewDisplay->showPreview(preview_->image());
    followContrast();
}

void MainWindow::chooseBackgroundPicture()
{
    // 1.
    const QString path = dialogs().choosePictureFile(ui->loadBackgroundButton->text(),
                                                      QString::fromLatin1(kPictureFilter));
    // 2.
    if (path.isEmpty())
        return;
    loadBackgroundPicture(path);
}

// chooseBackgroundPicture from step 3 on.
void MainWindow::loadBackgroundPicture(const QString &path)
{
    // 3 and 4. Decoded and stretched row by row, away from the window, which stays live
    // meanwhile; a picture chosen later replaces this one.
    backgroundLoader_.load(path, language_, QSize(kPreviewSize, kPreviewSize));
    cancelBackgroundShortcut_->setEnabled(true);
}

void MainWindow::showBackgroundPicture(const QImage &picture)
{
    endBackgroundProgress();
    // 5.
    preview_->setBackgroundPicture(picture);
    // 6.
    repaintPreview(selectedScreen_);
    // 7.
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

void MainWindow::clearBackgroundPicture()
{
    preview_->clearBackgroundPicture();
    repaintPreview(selectedScreen_);
    ui->clearBackgroundButton->setEnabled(false);
}

// The preview grows to the right and down; what stands right of it or below it moves along,
// and the window grows by as much.
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
    ui->clientArea->setFixedSize(kClientWidth + grow, kClientHeight - kStatusBarHeight + grow);
    const QList<QAction *> zooms = {ui->zoom1xAction, ui->zoom2xAction, ui->zoom3xAction, ui->zoom4xAction};
    zooms[zoom - 1]->setChecked(true);
    layout()->activate();
}

void MainWindow::zoomPreview(int zoom)
{
    applyPreviewZoom(zoom);
    ProfileFile profile(environment_.settingsPath);
    if (!WritePreviewZoom(profile, zoom))
        reportUnwritable(profile);
}

// The element that drew the pixel is chosen when the screen lists it; otherwise its name is
// shown. Pictures and fixed colours belong to no element.
void MainWindow::pickElementAt(const QPoint &pixel)
{
    const int element = preview_->elementMap().elementAt(pixel.x(), pixel.y());
    ui->statusBar->clearHint();
    if (element == 0)
        return;
    if (element >= firstElement_ && element < firstElement_ + elementCount_) {
        ui->elementCombo->setCurrentIndex(element - firstElement_);
        chooseElement();
        return;
    }
    ui->statusBar->showHint(language_ == kRussian ? RussianElementName(element)
                                                   : EnglishElementName(element),
                             kHintMilliseconds);
}

bool MainWindow::exportPreviewImage(const QString &path)
{
    QImageWriter writer(path, "PNG");
    if (writer.write(PreviewDisplay::Enlarged(preview_->image(), ui->previewDisplay->zoom())))
        return true;
    dialogs().reportError(UnableToWriteText(language_, path, writer.errorString()));
    return false;
}

void MainWindow::exportScreen()
{
    const QString path = dialogs().chooseSaveFile(
        ui->exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
        QStringLiteral("screen-%1.png").arg(selectedScreen_));
    if (!path.isEmpty())
        exportPreviewImage(PngBase(path) + QStringLiteral(".png"));
}

// NAME.png becomes NAME-0.png .. NAME-8.png, one per screen row; the window then shows its
// own screen again.
void MainWindow::exportAllScreens()
{
    const QString path =
        dialogs().chooseSaveFile(ui->exportPreviewMenu->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
                                 QStringLiteral("screen.png"));
    if (path.isEmpty())
        return;
    const QString base = PngBase(path);
    for (int screen = 0; screen < kScreenCount; ++screen) {
        preview_->RepaintPreview(screen);
        if (!exportPreviewImage(base + QStringLiteral("-%1.png").arg(screen)))
            break;
    }
    repaintPreview(selectedScreen_);
}

}  // namespace tintora

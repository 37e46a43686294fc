// Design help: the contrast panel and the weak pixels on the preview; schemes from a picture.
#include "mainwindow.h"

#include "applicationtitle.h"
#include "contrastpanel.h"
#include "languagetables.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"

#include "design/contrast.h"
#include "design/suggest.h"
#include "preview/preview.h"
#include "scheme/codepage.h"

#include <QMenu>

namespace tintora {

void MainWindow::setUpDesignCommands()
{
    contrastChecker_ = std::make_unique<ContrastChecker>(settings_.preview);
    contrastPanel_ = new ContrastPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, contrastPanel_);
    contrastPanel_->hide();
    QAction *contrastAction = contrastPanel_->toggleViewAction();
    contrastAction->setObjectName(QStringLiteral("contrastAction"));
    ui->viewMenu->addAction(contrastAction);
    connect(contrastPanel_, &QDockWidget::visibilityChanged, this, [this] { followContrast(); });
    connect(contrastPanel_, &ContrastPanel::elementChosen, this, &MainWindow::moveToElement);
    contrastTimer_.setSingleShot(true);
    contrastTimer_.setInterval(0);
    connect(&contrastTimer_, &QTimer::timeout, this, &MainWindow::checkContrast);

    auto *newFromPicture = new QAction(this);
    newFromPicture->setObjectName(QStringLiteral("newFromPictureAction"));
    auto *another = new QAction(this);
    another->setObjectName(QStringLiteral("anotherSuggestionAction"));
    another->setEnabled(false);
    ui->fileMenu->insertAction(ui->openAction, newFromPicture);
    ui->fileMenu->insertAction(ui->openAction, another);
    connect(newFromPicture, &QAction::triggered, this, &MainWindow::newFromPicture);
    connect(another, &QAction::triggered, this, &MainWindow::anotherSuggestion);
}

void MainWindow::showDesignCaptions()
{
    // The panel's title renames its menu item, which then gets its Alt letter.
    contrastPanel_->setWindowTitle(language_ == kRussian ? QStringLiteral("Контраст")
                                                        : QStringLiteral("Contrast"));
    for (const Caption &caption : DesignCaptions)
        setControlCaption(caption.control, caption.text.text(language_));
    followContrast();
}

void MainWindow::followContrast()
{
    if (!contrastPanel_)
        return;
    if (contrastPanel_->isHidden()) {
        ui->previewDisplay->setMarks({});
        return;
    }
    ui->previewDisplay->setMarks(WeakPixels(preview_->image(), preview_->elementMap()));
    contrastTimer_.start();
}

void MainWindow::checkContrast()
{
    contrastChecker_->setSettings(settings_.preview);
    contrastChecker_->setBackground(preview_->plainBackground() ? QImage() : preview_->backgroundPicture());
    std::vector<ContrastPlace> places = contrastChecker_->check(scheme_);
    std::erase_if(places, [](const ContrastPlace &place) { return !place.weak(); });
    contrastPanel_->showPlaces(places, language_);
}

// A new scheme, so the one edited goes only once its changes are saved or given up.
void MainWindow::newFromPicture()
{
    if (!mayDiscardChanges())
        return;
    const QString path = dialogs().choosePictureFile(
        findChild<QAction *>(QStringLiteral("newFromPictureAction"))->iconText(),
        QString::fromLatin1(kPictureFilter));
    if (path.isEmpty())
        return;
    // The picture becomes the background first; the suggestion follows once it is read.
    suggestionPending_ = true;
    loadBackgroundPicture(path);
}

void MainWindow::anotherSuggestion()
{
    ++suggestionVariant_;
    applySuggestion();
}

// A new scheme without a file, coloured from the default one as tintora-cli suggest does: one
// step of the history, shown over its picture.
void MainWindow::applySuggestion()
{
    if (suggestionPicture_.isNull())
        return;
    ColourScheme blank;
    BuildDefaultScheme(blank);
    const std::optional<Suggestion> suggested =
        SuggestScheme(blank, suggestionPicture_, settings_.preview, SchemeTone::AsPicture,
                      suggestionVariant_);
    if (!suggested) {
        dialogs().reportError(NoReadableSuggestionText(language_));
        return;
    }
    document_.replaceWithSuggestion(selectedElement(), suggested->scheme);
    findChild<QAction *>(QStringLiteral("anotherSuggestionAction"))->setEnabled(true);
    preview_->setBackgroundPicture(suggestionPicture_);
    ui->clearBackgroundButton->setEnabled(true);
    showSuggestion(selectedElement());
}

// A suggestion's scheme, or the one it took the place of, with its name and its file.
void MainWindow::showSuggestion(int element)
{
    const QString name = FromCp1251(scheme_.name);
    ui->schemeNameEdit->setText(name);
    setCaption(name.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(name));
    showFilePath();
    moveToElement(element);
}

// A suggestion still waiting for its picture was asked for the scheme shown then; a command
// that replaces that scheme or the background drops it, and its picture with it.
void MainWindow::cancelPendingSuggestion()
{
    if (suggestionPending_)
        cancelBackgroundPicture();
}

// Another suggestion belongs to the scheme the last one was made for.
void MainWindow::forgetSuggestion()
{
    suggestionPicture_ = QImage();
    findChild<QAction *>(QStringLiteral("anotherSuggestionAction"))->setEnabled(false);
}

}  // namespace tintora

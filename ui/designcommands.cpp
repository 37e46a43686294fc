// Design help: the contrast panel and the weak pixels on the preview; schemes from a picture.
#include "designcommands.h"

#include "applicationtitle.h"
#include "contrastpanel.h"
#include "editingpanel.h"
#include "filecommands.h"
#include "previewpanel.h"
#include "schemedocument.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "windowsettings.h"
#include "wording.h"

#include "design/contrast.h"
#include "design/suggest.h"
#include "preview/preview.h"
#include "scheme/codepage.h"

#include <QMainWindow>
#include <QMenu>

namespace tintora {

DesignCommands::DesignCommands(QMainWindow &window, Ui::MainWindow &ui, SchemeDocument &document,
                               EditingPanel &editing, PreviewPanel &preview, FileCommands &files,
                               WindowSettings &settings, WindowDialogs &dialogs,
                               const Language &language)
    : ui_(ui),
      document_(document),
      scheme_(document.scheme),
      editing_(editing),
      preview_(preview),
      files_(files),
      settings_(settings),
      dialogs_(dialogs),
      language_(language)
{
    contrastChecker_ = std::make_unique<ContrastChecker>(settings_.values().preview);
    contrastPanel_ = new ContrastPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, contrastPanel_);
    contrastPanel_->hide();
    QAction *contrastAction = contrastPanel_->toggleViewAction();
    contrastAction->setObjectName(QStringLiteral("contrastAction"));
    ui_.viewMenu->addAction(contrastAction);
    connect(contrastPanel_, &QDockWidget::visibilityChanged, this, [this] { followContrast(); });
    contrastTimer_.setSingleShot(true);
    contrastTimer_.setInterval(0);
    connect(&contrastTimer_, &QTimer::timeout, this, &DesignCommands::checkContrast);

    newFromPictureAction_ = new QAction(&window);
    newFromPictureAction_->setObjectName(QStringLiteral("newFromPictureAction"));
    anotherSuggestionAction_ = new QAction(&window);
    anotherSuggestionAction_->setObjectName(QStringLiteral("anotherSuggestionAction"));
    anotherSuggestionAction_->setEnabled(false);
    ui_.fileMenu->insertAction(ui_.openAction, newFromPictureAction_);
    ui_.fileMenu->insertAction(ui_.openAction, anotherSuggestionAction_);
    connect(newFromPictureAction_, &QAction::triggered, this, &DesignCommands::newFromPicture);
    connect(anotherSuggestionAction_, &QAction::triggered, this, &DesignCommands::anotherSuggestion);
    connect(&document_, &SchemeDocument::restored, this, [this](EditKind kind, int element) {
        if (kind == EditKind::Suggestion)
            showSuggestion(element);
    });
}

DesignCommands::~DesignCommands() = default;

void DesignCommands::retranslate()
{
    // The panel's title renames its menu item, which then gets its Alt letter.
    contrastPanel_->setWindowTitle(tr("Contrast"));
    contrastPanel_->toggleViewAction()->setText(tr("&Contrast"));
    newFromPictureAction_->setText(tr("New from &picture..."));
    anotherSuggestionAction_->setText(tr("Another su&ggestion"));
    followContrast();
}

void DesignCommands::followContrast()
{
    if (contrastPanel_->isHidden()) {
        ui_.previewDisplay->setMarks({});
        return;
    }
    Preview &preview = preview_.preview();
    ui_.previewDisplay->setMarks(WeakPixels(preview.image(), preview.elementMap()));
    contrastTimer_.start();
}

void DesignCommands::checkContrast()
{
    const Preview &preview = preview_.preview();
    contrastChecker_->setSettings(settings_.values().preview);
    contrastChecker_->setBackground(preview.plainBackground() ? QImage() : preview.backgroundPicture());
    std::vector<ContrastPlace> places = contrastChecker_->check(scheme_);
    std::erase_if(places, [](const ContrastPlace &place) { return !place.weak(); });
    contrastPanel_->showPlaces(places);
}

// A new scheme, so the one edited goes only once its changes are saved or given up.
void DesignCommands::newFromPicture()
{
    if (!files_.mayDiscardChanges())
        return;
    const QString path = dialogs_.choosePictureFile(newFromPictureAction_->iconText(),
                                                    QString::fromLatin1(PreviewPanel::kPictureFilter));
    if (path.isEmpty())
        return;
    // The picture becomes the background first; the suggestion follows once it is read.
    suggestionPending_ = true;
    preview_.loadBackgroundPicture(path);
}

void DesignCommands::takePicture(const QImage &picture)
{
    if (!suggestionPending_)
        return;
    suggestionPending_ = false;
    suggestionPicture_ = picture;
    suggestionVariant_ = 0;
    applySuggestion();
}

void DesignCommands::dropPendingSuggestion()
{
    suggestionPending_ = false;
}

void DesignCommands::anotherSuggestion()
{
    ++suggestionVariant_;
    applySuggestion();
}

// A new scheme without a file, coloured from the default one as tintora-cli suggest does: one
// step of the history, shown over its picture.
void DesignCommands::applySuggestion()
{
    if (suggestionPicture_.isNull())
        return;
    ColourScheme blank;
    BuildDefaultScheme(blank);
    const std::optional<Suggestion> suggested =
        SuggestScheme(blank, suggestionPicture_, settings_.values().preview, SchemeTone::AsPicture,
                      suggestionVariant_);
    if (!suggested) {
        dialogs_.reportError(NoReadableSuggestionText());
        return;
    }
    document_.replaceWithSuggestion(editing_.selectedElement(), suggested->scheme);
    anotherSuggestionAction_->setEnabled(true);
    preview_.preview().setBackgroundPicture(suggestionPicture_);
    ui_.clearBackgroundButton->setEnabled(true);
    showSuggestion(editing_.selectedElement());
}

// A suggestion's scheme, or the one it took the place of, with its name and its file.
void DesignCommands::showSuggestion(int element)
{
    const QString name = FromCp1251(scheme_.name);
    ui_.schemeNameEdit->setText(name);
    emit captionChanged(name.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(name));
    files_.showFilePath();
    editing_.moveToElement(element);
}

void DesignCommands::cancelPendingSuggestion()
{
    if (suggestionPending_)
        preview_.cancelBackgroundPicture();
}

void DesignCommands::forgetSuggestion()
{
    suggestionPicture_ = QImage();
    anotherSuggestionAction_->setEnabled(false);
}

}  // namespace tintora

// Design help: the contrast panel and the weak pixels on the preview; schemes from a picture.
#include "designcommands.h"

#include "applicationtitle.h"
#include "contrastpanel.h"
#include "contrastswatches.h"
#include "editingpanel.h"
#include "filecommands.h"
#include "previewpanel.h"
#include "schemedocument.h"
#include "suggestionchooser.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "windowsettings.h"
#include "wording.h"

#include "design/contrast.h"
#include "design/suggest.h"
#include "preview/preview.h"
#include "scheme/codepage.h"
#include "settings/settings.h"

#include <QMainWindow>
#include <QMenu>

namespace tintora {

DesignCommands::DesignCommands(QMainWindow &window, Ui::MainWindow &ui, SchemeDocument &document,
                               EditingPanel &editing, PreviewPanel &preview, FileCommands &files,
                               WindowSettings &settings, WindowDialogs &dialogs)
    : window_(window),
      ui_(ui),
      document_(document),
      scheme_(document.scheme),
      editing_(editing),
      preview_(preview),
      files_(files),
      settings_(settings),
      dialogs_(dialogs)
{
    contrastChecker_ = std::make_unique<ContrastChecker>(settings_.values().preview);
    contrastPanel_ = new ContrastPanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, contrastPanel_);
    contrastPanel_->hide();
    QAction *contrastAction = contrastPanel_->toggleViewAction();
    contrastAction->setObjectName(QStringLiteral("contrastAction"));
    ui_.viewMenu->addAction(contrastAction);
    connect(contrastPanel_, &QDockWidget::visibilityChanged, this, [this] { followContrast(); });
    connect(contrastPanel_, &ContrastPanel::elementChosen, this, &DesignCommands::markWeakPixels);
    const int bound = ReadContrastBound(settings_.file());
    contrastPanel_->showBound(bound);
    contrastChecker_->setStandard(ContrastStandard(bound));
    connect(contrastPanel_, &ContrastPanel::boundChosen, this, &DesignCommands::chooseBound);
    contrastTimer_.setSingleShot(true);
    contrastTimer_.setInterval(0);
    connect(&contrastTimer_, &QTimer::timeout, this, &DesignCommands::checkContrast);

    newFromPictureAction_ = new QAction(&window);
    newFromPictureAction_->setObjectName(QStringLiteral("newFromPictureAction"));
    ui_.fileMenu->insertAction(ui_.openAction, newFromPictureAction_);
    connect(newFromPictureAction_, &QAction::triggered, this, &DesignCommands::newFromPicture);
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
    contrastPanel_->retranslate();
    contrastPanel_->toggleViewAction()->setText(tr("&Contrast"));
    newFromPictureAction_->setText(tr("New from &picture..."));
    followContrast();
}

void DesignCommands::followContrast()
{
    markWeakPixels();
    if (!contrastPanel_->isHidden())
        contrastTimer_.start();
}

void DesignCommands::markWeakPixels()
{
    if (contrastPanel_->isHidden()) {
        ui_.previewDisplay->setMarks({});
        return;
    }
    Preview &preview = preview_.preview();
    std::vector<QPoint> marks =
        WeakPixels(preview.image(), preview.elementMap(), contrastChecker_->standard());
    // The row clicked is shown alone, until another is.
    if (const int chosen = contrastPanel_->chosenElement()) {
        std::erase_if(marks, [&](const QPoint &pixel) {
            return preview.elementMap().elementAt(pixel.x(), pixel.y()) != chosen;
        });
    }
    ui_.previewDisplay->setMarks(std::move(marks));
}

void DesignCommands::chooseBound(int bound)
{
    contrastChecker_->setStandard(ContrastStandard(bound));
    if (!WriteContrastBound(settings_.file(), bound))
        settings_.reportUnwritable();
    followContrast();
}

void DesignCommands::checkContrast()
{
    const Preview &preview = preview_.preview();
    contrastChecker_->setSettings(settings_.values().preview);
    contrastChecker_->setBackground(preview.plainBackground() ? QImage() : preview.backgroundPicture());
    std::vector<ContrastPlace> places = contrastChecker_->check(scheme_);
    std::vector<ContrastRow> rows;
    for (const ContrastPlace &place : places) {
        if (!place.weak())
            continue;
        const Spot &at = place.judged();
        rows.push_back({place, SwatchesOf(contrastChecker_->paint(scheme_, at.screen, at.state), place)});
    }
    contrastPanel_->showRows(rows);
    // The row chosen may have gone with an edit.
    markWeakPixels();
}

// A new scheme, so the one edited goes only once its changes are saved or given up.
void DesignCommands::newFromPicture()
{
    if (!files_.mayDiscardChanges())
        return;
    const QString path = dialogs_.choosePictureFile(newFromPictureAction_->iconText(),
                                                    PreviewPanel::pictureFilter());
    if (path.isEmpty())
        return;
    // The picture becomes the background first; the choice follows once it is read, and a
    // choice cancelled brings back the background before it.
    const Preview &preview = preview_.preview();
    backgroundBefore_ = preview.plainBackground() ? QImage() : preview.backgroundPicture();
    suggestionPending_ = true;
    preview_.loadBackgroundPicture(path);
}

void DesignCommands::takePicture(const QImage &picture)
{
    if (!suggestionPending_)
        return;
    suggestionPending_ = false;
    chooser_ = new SuggestionChooser(picture, settings_.values().preview, tone_, &window_);
    chooser_->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser_, &SuggestionChooser::toneChosen, this, [this](SchemeTone tone) { tone_ = tone; });
    connect(chooser_, &SuggestionChooser::chosen, this,
            [this, picture](const SuggestionChoice &choice) { applySuggestion(picture, choice.suggestion.scheme); });
    connect(chooser_, &QDialog::rejected, this, &DesignCommands::restoreBackground);
    chooser_->open();
}

void DesignCommands::dropPendingSuggestion()
{
    suggestionPending_ = false;
}

void DesignCommands::restoreBackground()
{
    if (backgroundBefore_.isNull()) {
        preview_.clearBackgroundPicture();
        return;
    }
    preview_.preview().setBackgroundPicture(backgroundBefore_);
    preview_.repaint(preview_.screen());
}

// A new scheme without a file: one step of the history, shown over its picture.
void DesignCommands::applySuggestion(const QImage &picture, const ColourScheme &scheme)
{
    document_.replaceWithSuggestion(editing_.selectedElement(), scheme);
    preview_.preview().setBackgroundPicture(picture);
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

void DesignCommands::closeChooser()
{
    if (chooser_)
        chooser_->reject();
}

}  // namespace tintora

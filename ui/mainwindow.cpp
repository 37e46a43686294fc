// The main window itself: its layout and menu bar, the language, start-up, drops, the two
// dialogs, and the wiring of the panels.
#include "mainwindow.h"

#include "aboutdialog.h"
#include "altletterstyle.h"
#include "applicationtitle.h"
#include "contrastpanel.h"
#include "designcommands.h"
#include "droppedfile.h"
#include "editingpanel.h"
#include "filecommands.h"
#include "languagetables.h"
#include "menubartooltips.h"
#include "manualwindow.h"
#include "menubaritemstyle.h"
#include "phonecommands.h"
#include "previewpanel.h"
#include "previewsettingsdialog.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "wording.h"

#include "phone/opencommand.h"
#include "phone/phonelibrary.h"
#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewresources.h"
#include "scheme/catalogue.h"
#include "scheme/codepage.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMimeData>
#include <QStyleFactory>
#include <QTimer>

namespace tintora {

MainWindow::MainWindow(const MainWindowEnvironment &environment, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      environment_(environment),
      ui(std::make_unique<Ui::MainWindow>()),
      document_(*environment.clock),
      settings_(environment.settingsPath, *environment.dialogs)
{
    EnsurePreviewResources();
    ui->setupUi(this);
    // Connect, the default command, stands bold on the menu bar.
    const QString styleName = QApplication::style()->name();
    auto *menuStyle = new AltLetterStyle(
        new MenuBarItemStyle(QStyleFactory::create(styleName)), ui->mainMenu);
    menuStyle->setParent(ui->mainMenu);
    ui->mainMenu->setStyle(menuStyle);
    ui->mainMenu->installEventFilter(new MenuBarToolTips(ui->mainMenu));
    for (QMenu *menu : ui->mainMenu->findChildren<QMenu *>()) {
        auto *style = new AltLetterStyle(QStyleFactory::create(styleName), ui->mainMenu);
        style->setParent(menu);
        menu->setStyle(style);
    }
    editing_ = std::make_unique<EditingPanel>(*ui, document_, dialogs());
    // Fixed client area below the menu bar, whatever height the menu bar takes.
    ui->statusBar->setFixedHeight(kStatusBarHeight);
    ui->clientArea->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setUpMenus();
    phone_ = std::make_unique<PhoneCommands>(*ui, phone(), document_.scheme, dialogs());
    preview_ = std::make_unique<PreviewPanel>(*this, *ui, document_, settings_, dialogs(),
                                              *environment_.clock, environment_.screenArea);
    files_ = std::make_unique<FileCommands>(*ui, document_, *editing_, *preview_, *phone_,
                                            settings_, dialogs());
    design_ = std::make_unique<DesignCommands>(*this, *ui, document_, *editing_, *preview_,
                                               *files_, settings_, dialogs());
    connectPanels();

    startUp();
    preview_->applyStoredView();
    phone_->startPolling();
}

// The unpacked font file stays on disk; nothing is saved or written.
MainWindow::~MainWindow()
{
    RemovePreviewFont();
}

void MainWindow::setAboutDialog(AboutDialog *aboutDialog)
{
    aboutDialog_ = aboutDialog;
}

void MainWindow::setSettingsDialog(PreviewSettingsDialog *dialog)
{
    settingsDialog_ = dialog;
}

void MainWindow::setUpMenus()
{
    // A language whose translation the program carries is one more item, named after it.
    auto *languages = new QActionGroup(this);
    for (const InterfaceLanguage &language : InterfaceLanguages()) {
        QAction *action = ui->languageMenu->addAction(language.caption);
        action->setObjectName(language.storedName.toLower() + QStringLiteral("Action"));
        action->setData(language.code);
        action->setCheckable(true);
        languages->addAction(action);
        connect(action, &QAction::triggered, this, [this, action] { chooseLanguage(action); });
    }
    connect(ui->previewSettingsAction, &QAction::triggered, this, &MainWindow::showPreviewSettings);
    connect(ui->phoneFolderAction, &QAction::triggered, this, &MainWindow::editPhoneFolder);
    connect(ui->manualAction, &QAction::triggered, this, &MainWindow::showManual);
    connect(ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::connectPanels()
{
    connect(editing_.get(), &EditingPanel::repaintWanted, preview_.get(), &PreviewPanel::repaint);
    connect(editing_.get(), &EditingPanel::elementChosen, preview_.get(), &PreviewPanel::markElement);
    connect(preview_.get(), &PreviewPanel::elementClicked, editing_.get(), &EditingPanel::pickElement);
    connect(preview_.get(), &PreviewPanel::elementDoubleClicked, editing_.get(),
            &EditingPanel::goToElement);
    connect(preview_.get(), &PreviewPanel::repainted, design_.get(), &DesignCommands::followContrast);
    connect(preview_.get(), &PreviewPanel::backgroundShown, design_.get(),
            &DesignCommands::takePicture);
    connect(preview_.get(), &PreviewPanel::backgroundAbandoned, design_.get(),
            &DesignCommands::dropPendingSuggestion);
    connect(&design_->contrastPanel(), &ContrastPanel::elementChosen, editing_.get(),
            &EditingPanel::moveToElement);
    connect(files_.get(), &FileCommands::replacingScheme, design_.get(),
            &DesignCommands::cancelPendingSuggestion);
    connect(files_.get(), &FileCommands::schemeLoaded, design_.get(),
            &DesignCommands::closeChooser);
    connect(phone_.get(), &PhoneCommands::workModeChanged, this, &MainWindow::applyLanguage);

    connect(editing_.get(), &EditingPanel::captionChanged, this, &MainWindow::setCaption);
    connect(files_.get(), &FileCommands::captionChanged, this, &MainWindow::setCaption);
    connect(design_.get(), &DesignCommands::captionChanged, this, &MainWindow::setCaption);
    connect(files_.get(), &FileCommands::filePathChanged, this, &MainWindow::setWindowFilePath);
    connect(&document_, &SchemeDocument::modifiedChanged, this, &MainWindow::setWindowModified);
    connect(ui->exitAction, &QAction::triggered, this, &MainWindow::close);
    setAcceptDrops(true);
}

void MainWindow::startUp()
{
    // The preview's face; when the file cannot be written it comes from memory.
    InstallPreviewFont(environment_.fontFilePath);

    // The thirteen pictures; the preview keeps the background and the snapshot.
    preview_->loadPictures();

    // The language first, so that what follows is said in it; the work mode still holds
    // computer mode.
    const ProfileFile &profile = settings_.file();
    setLanguage(LanguageOfStoredName(ReadLanguage(profile)));

    // Other settings; start-up writes nothing. What went wrong with them, or with the
    // scheme below, shows in the status bar, not in a box.
    Settings &settings = settings_.values();
    settings = ReadSettings(profile);
    QStringList notes;
    if (profile.isTooLarge())
        notes << SettingsFileTooLargeText(profile.path());
    if (settings.refusedSpColorPath)
        notes << RefusedPhoneFolderText(profile.path(), *settings.refusedSpColorPath);

    // The scheme named on the command line, else the default one.
    if (!environment_.arguments.isEmpty()) {
        const QString path = environment_.arguments.first();
        QString note;
        if (!environment_.firstArgumentExact) {
            note = InexactArgumentText(path);
        } else {
            const LoadOutcome outcome =
                LoadSchemeAndReport(document_.scheme, path, dialogs(), InterfaceCommandWords(), &note);
            // A path where nothing is yet is where Save creates the file. One that is there
            // but gave no scheme (no scheme, unreadable, a folder, a device) must not be
            // replaced by the first Save without a question, nor a device written into; once
            // told, it is as if none had been named: the all-zero scheme would save as a
            // black one.
            const bool nothingThere = outcome == LoadOutcome::NotOpened && !QFileInfo::exists(path);
            if (outcome == LoadOutcome::Loaded || nothingThere)
                document_.filePath = path;
            else
                BuildDefaultScheme(document_.scheme);
        }
        if (!note.isEmpty())
            notes << note;
    } else {
        BuildDefaultScheme(document_.scheme);
    }
    if (!notes.isEmpty())
        ui->statusBar->showMessage(notes.join(QStringLiteral(". ")));

    // Editor state: the main screen and its first element; setting the two list rows runs no handler.
    preview_->preview().clearBackgroundPicture();
    editing_->resetSelection();
    ui->screenSizeCombo->setCurrentIndex(0);

    preview_->repaint(0);
    editing_->fillElementCombo(true);

    const QString name = FromCp1251(document_.scheme.name);
    ui->schemeNameEdit->setText(name);
    if (!name.isEmpty())
        setCaption(SchemeCaption(name));

    editing_->showSelectedElement();

    // The phone link's start: its result is not looked at; the status poll finds the phone.
    phone().P2K_Init(0);

    phone_->connection().workMode = WorkMode::Computer;

    // What start-up did to the scheme is where its history begins.
    document_.startFresh();
    files_->showFilePath();
    files_->fillRecentMenu();
}

void MainWindow::setLanguage(const QString &code)
{
    languageCode_ = code;
    translation_.use(code);
    for (QAction *action : ui->languageMenu->actions())
        action->setChecked(action->data().toString() == code);
    // English over English installs nothing, so no change arrives.
    retranslateUi();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

void MainWindow::retranslateUi()
{
    // The layout's own captions; writing a screen row keeps the selected row.
    ui->retranslateUi(this);
    for (int row = 0; row < kScreenCount; ++row)
        ui->screenList->item(row)->setText(ScreenCaption(row));
    editing_->showHistoryCaptions();
    design_->retranslate();
    applyLanguage();
}

void MainWindow::applyLanguage()
{
    const bool phoneMode = phone_->workMode() == WorkMode::Phone;
    ui->connectAction->setText(phoneMode ? tr("&Disconnect") : tr("Co&nnect"));
    ui->statusBar->setPanelText(phoneMode ? tr("Status : Work with phone")
                                          : tr("Status : Work with a computer"));
    ui->openButton->setText(phoneMode ? tr("Read spcolor.sch") : tr("Open spcolor.sch"));
    ui->saveButton->setText(phoneMode ? tr("Write spcolor.sch") : tr("Save spcolor.sch"));
    // English phone mode has no dots here; the other three captions do.
    ui->openAction->setText(phoneMode ? tr("&Read spcolor.sch") : tr("&Open spcolor.sch..."));
    ui->saveAction->setText(phoneMode ? tr("&Write spcolor.sch") : tr("&Save spcolor.sch"));

    const PreviewPictures &pictures = preview_->pictures();
    ui->statusBar->setStatusIcon(phoneMode ? pictures.phoneModeIcon : pictures.computerModeIcon);
    phone_->showPhoneState();

    preview_->renewUndrawnNote();
}

void MainWindow::chooseLanguage(QAction *sender)
{
    setLanguage(sender->data().toString());
    editing_->fillElementCombo(false);
    // The tooltips of the zooms that do not fit.
    preview_->fitZoomToScreen();
    // A failed write leaves the language applied; the next start uses the stored one.
    if (!WriteLanguage(settings_.file(), StoredNameOf(languageCode_)))
        settings_.reportUnwritable();
}

void MainWindow::showPreviewSettings()
{
    PreviewSettingsDialog &dialog = *settingsDialog_;
    // The dialog shows what the file holds, not what is in memory.
    ProfileFile &profile = settings_.file();
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(profile);
    dialog.fillFromStored(stored);
    const QDate today = environment_.clock->now().date();
    std::uint16_t day = std::uint16_t(stored.ChoosedDate);
    // A stored 0 forms no date and is taken like a day past the month's end.
    if (day == 0 || day > today.daysInMonth())
        day = 1;
    dialog.setChosenDate(QDate(today.year(), today.month(), day));
    const bool ok = dialog.exec() == QDialog::Accepted;
    PreviewSettings &settings = settings_.values().preview;
    if (ok) {
        settings.ProviderName = dialog.providerName();
        settings.ClockFormat = std::uint8_t(dialog.clockFormat());
        settings.DateFormat = std::uint8_t(dialog.dateFormat());
        settings.PressedSoftKey = std::uint8_t(dialog.pressedSoftKey());
        settings.ChoosedDate = std::uint16_t(dialog.chosenDay());
        day = settings.ChoosedDate;
    }
    // Written whichever button closed it.
    if (!WritePreviewSettings(profile, settings, day)) {
        settings_.reportUnwritable();
        return;
    }
    preview_->repaint(editing_->selectedScreen());
}

// A folder that will not do is said why and offered again as typed. The folder applies at
// once, also when the file cannot keep it.
void MainWindow::editPhoneFolder()
{
    const QString title = ui->phoneFolderAction->iconText();
    QString folder = settings_.values().SpColorPath;
    for (;;) {
        const std::optional<QString> typed =
            dialogs().askText(title, PhoneFolderLabel(), folder);
        if (!typed)
            return;
        folder = typed->trimmed();
        const QString problem = PhoneFolderProblem(folder);
        if (problem.isEmpty())
            break;
        dialogs().inform(problem);
    }
    settings_.values().SpColorPath = folder;
    if (!WriteSpColorPath(settings_.file(), folder))
        settings_.reportUnwritable();
}

void MainWindow::showAbout()
{
    aboutDialog_->exec();
}

// Made at its first use; it stays open beside the editor, which goes on working.
void MainWindow::showManual()
{
    if (!manualWindow_)
        manualWindow_ = new ManualWindow(languageCode_, this);
    manualWindow_->show();
    manualWindow_->raise();
    manualWindow_->activateWindow();
}

// The title the scheme gives, with the mark of unsaved changes behind it.
void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption + QStringLiteral("[*]"));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (files_->mayDiscardChanges()) {
        // A picture still being read is of no more use.
        preview_->stopReadingBackground();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    preview_->windowShown();
}

bool MainWindow::takesDrop(const QDropEvent *event) const
{
    const DroppedFile file = DroppedFile::From(event->mimeData());
    if (file.kind == DroppedFile::Picture) {
        const QPoint onPreview = ui->previewDisplay->mapFrom(this, event->position().toPoint());
        return ui->previewDisplay->rect().contains(onPreview);
    }
    return file.kind == DroppedFile::Scheme;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // A picture may still be carried onto the preview.
    if (DroppedFile::From(event->mimeData()).kind != DroppedFile::None)
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (takesDrop(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (!takesDrop(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended: the question and the messages must not hold up the program
    // the file came from.
    const DroppedFile file = DroppedFile::From(event->mimeData());
    QTimer::singleShot(0, this, [this, file] {
        if (file.kind == DroppedFile::Scheme)
            files_->openSchemeFile(file.path);
        else
            preview_->loadBackgroundPicture(file.path);
    });
}

}  // namespace tintora

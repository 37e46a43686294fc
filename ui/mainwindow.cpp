// The main window itself: its layout and menu bar, the language, start-up, the two dialogs.
#include "mainwindow.h"

#include "aboutdialog.h"
#include "altletterstyle.h"
#include "applicationtitle.h"
#include "languagetables.h"
#include "menubaritemstyle.h"
#include "previewsettingsdialog.h"
#include "settings/profilefile.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "wording.h"

#include "design/contrast.h"
#include "phone/phonelibrary.h"
#include "preview/clock.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewresources.h"
#include "scheme/catalogue.h"
#include "scheme/codepage.h"
#include "scheme/inputfile.h"

#include <QActionGroup>
#include <QApplication>
#include <QLayout>
#include <QSignalBlocker>
#include <QStyleFactory>

namespace tintora {

QString SchemeCaption(const QString &name)
{
    return QString::fromLatin1(kApplicationTitle) + QStringLiteral(" - [") + name + QLatin1Char(']');
}

MainWindow::MainWindow(const MainWindowEnvironment &environment, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      environment_(environment),
      ui(std::make_unique<Ui::MainWindow>()),
      document_(*environment.clock),
      scheme_(document_.scheme)
{
    EnsurePreviewResources();
    ui->setupUi(this);
    // Connect, the default command, stands bold on the menu bar.
    const QString styleName = QApplication::style()->name();
    auto *menuStyle = new AltLetterStyle(
        new MenuBarItemStyle(QStyleFactory::create(styleName)), ui->mainMenu);
    menuStyle->setParent(ui->mainMenu);
    ui->mainMenu->setStyle(menuStyle);
    for (QMenu *menu : ui->mainMenu->findChildren<QMenu *>()) {
        auto *style = new AltLetterStyle(QStyleFactory::create(styleName), ui->mainMenu);
        style->setParent(menu);
        menu->setStyle(style);
    }
    setUpEditingPanel();
    // Fixed client area below the menu bar, whatever height the menu bar takes.
    ui->statusBar->setFixedHeight(kStatusBarHeight);
    ui->clientArea->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    setUpMenus();
    setUpFileCommands();
    setUpPhoneCommands();
    setUpPreviewPanel();
    setUpDesignCommands();

    startUp();
    const ProfileFile profile(environment_.settingsPath);
    applyPreviewZoom(ReadPreviewZoom(profile));
    fitZoomToScreen();
    markSelection_ = ReadMarkSelection(profile);
    ui->markSelectionAction->setChecked(markSelection_);
    // Only now: a box that start-up shows runs the event loop, and the poll must not ask
    // the library before P2K_Init.
    phonePoll_.start();
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
    connect(ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    ui->aboutAction->setShortcut(QKeySequence(Qt::Key_F1));
}

void MainWindow::startUp()
{
    // The preview's face; when the file cannot be written it comes from memory.
    InstallPreviewFont(environment_.fontFilePath);

    // The thirteen pictures; the preview keeps the background and the snapshot.
    pictures_ = LoadPreviewPictures();
    preview_ = std::make_unique<Preview>(scheme_, settings_.preview, *environment_.clock,
                                         pictures_);

    // The language first, so that what follows is said in it; the work mode still holds
    // computer mode.
    const ProfileFile profile(environment_.settingsPath);
    setLanguage(LanguageOfStoredName(ReadLanguage(profile)));

    // Other settings; start-up writes nothing. What went wrong with them, or with the
    // scheme below, shows in the status bar, not in a box.
    settings_ = ReadSettings(profile);
    QStringList notes;
    if (profile.isTooLarge())
        notes << SettingsFileTooLargeText(profile.path());
    if (settings_.refusedSpColorPath)
        notes << RefusedPhoneFolderText(profile.path(), *settings_.refusedSpColorPath);

    // The scheme named on the command line, else the default one.
    if (!environment_.arguments.isEmpty()) {
        const QString path = environment_.arguments.first();
        QString note;
        if (!environment_.firstArgumentExact) {
            note = InexactArgumentText(path);
        } else {
            const LoadOutcome outcome = LoadSchemeFile(scheme_, path, dialogs(), language_, &note);
            // A file that is there but was refused must not be replaced by the first Save
            // without a question, nor a device written into; a path that does not exist
            // yet is where Save creates it.
            if (outcome == LoadOutcome::Loaded ||
                (outcome == LoadOutcome::NotOpened && RefusedInputReason(path, language_).isEmpty()))
                document_.filePath = path;
        }
        if (!note.isEmpty())
            notes << note;
    } else {
        BuildDefaultScheme(scheme_);
    }
    if (!notes.isEmpty())
        ui->statusBar->showMessage(notes.join(QStringLiteral(". ")));

    // Editor state: the main screen and its first element; setting the two list rows runs no handler.
    preview_->clearBackgroundPicture();
    {
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(0);
    }
    selectedScreen_ = 0;
    firstElement_ = 1;
    elementCount_ = 12;
    ui->screenSizeCombo->setCurrentIndex(0);

    repaintPreview(0);
    fillElementCombo(true);

    const QString name = FromCp1251(scheme_.name);
    ui->schemeNameEdit->setText(name);
    if (!name.isEmpty())
        setCaption(SchemeCaption(name));

    showSelectedElement();

    // The phone link's start: its result is not looked at; the status poll finds the phone.
    phone().P2K_Init(0);

    connection_.workMode = WorkMode::Computer;

    // What start-up did to the scheme is where its history begins.
    document_.startFresh();
    showFilePath();
    fillRecentMenu();
}

void MainWindow::setLanguage(const QString &code)
{
    languageCode_ = code;
    language_ = code == QLatin1String("ru") ? kRussian : kEnglish;
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
    showHistoryCaptions();
    showDesignCaptions();
    applyLanguage();
}

void MainWindow::applyLanguage()
{
    const bool phoneMode = connection_.workMode == WorkMode::Phone;
    ui->connectAction->setText(phoneMode ? tr("&Disconnect") : tr("Co&nnect"));
    ui->statusBar->setPanelText(phoneMode ? tr("Status : Work with phone")
                                          : tr("Status : Work with a computer"));
    ui->openButton->setText(phoneMode ? tr("Read spcolor.sch") : tr("Open spcolor.sch"));
    ui->saveButton->setText(phoneMode ? tr("Write spcolor.sch") : tr("Save spcolor.sch"));
    // English phone mode has no dots here; the other three captions do.
    ui->openAction->setText(phoneMode ? tr("&Read spcolor.sch") : tr("&Open spcolor.sch..."));
    ui->saveAction->setText(phoneMode ? tr("&Write spcolor.sch") : tr("&Save spcolor.sch"));

    ui->statusBar->setStatusIcon(phoneMode ? pictures_.phoneModeIcon : pictures_.computerModeIcon);

    // The status text has replaced the note of a screen without elements.
    if (!undrawnScreenNote_.isEmpty()) {
        undrawnScreenNote_.clear();
        noteUndrawnScreen();
    }
}

void MainWindow::chooseLanguage(QAction *sender)
{
    setLanguage(sender->data().toString());
    fillElementCombo(false);
    // The tooltips of the zooms that do not fit.
    fitZoomToScreen();
    // A failed write leaves the language applied; the next start uses the stored one.
    ProfileFile profile(environment_.settingsPath);
    if (!WriteLanguage(profile, StoredNameOf(languageCode_)))
        reportUnwritable(profile);
}

void MainWindow::showPreviewSettings()
{
    PreviewSettingsDialog &dialog = *settingsDialog_;
    // The dialog shows what the file holds, not what is in memory.
    ProfileFile profile(environment_.settingsPath);
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(profile);
    dialog.fillFromStored(stored);
    const QDate today = environment_.clock->now().date();
    std::uint16_t day = std::uint16_t(stored.ChoosedDate);
    // A stored 0 forms no date and is taken like a day past the month's end.
    if (day == 0 || day > today.daysInMonth())
        day = 1;
    dialog.setChosenDate(QDate(today.year(), today.month(), day));
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok) {
        settings_.preview.ProviderName = dialog.providerName();
        settings_.preview.ClockFormat = std::uint8_t(dialog.clockFormat());
        settings_.preview.DateFormat = std::uint8_t(dialog.dateFormat());
        settings_.preview.PressedSoftKey = std::uint8_t(dialog.pressedSoftKey());
        settings_.preview.ChoosedDate = std::uint16_t(dialog.chosenDay());
        day = settings_.preview.ChoosedDate;
    }
    // Written whichever button closed it.
    if (!WritePreviewSettings(profile, settings_.preview, day)) {
        reportUnwritable(profile);
        return;
    }
    repaintPreview(selectedScreen_);
}

// A folder that will not do is said why and offered again as typed. The folder applies at
// once, also when the file cannot keep it.
void MainWindow::editPhoneFolder()
{
    const QString title = ui->phoneFolderAction->iconText();
    QString folder = settings_.SpColorPath;
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
    settings_.SpColorPath = folder;
    ProfileFile profile(environment_.settingsPath);
    if (!WriteSpColorPath(profile, folder))
        reportUnwritable(profile);
}

void MainWindow::showAbout()
{
    aboutDialog_->exec();
}

// The title the scheme gives, with the mark of unsaved changes behind it.
void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption + QStringLiteral("[*]"));
}

void MainWindow::reportUnwritable(const ProfileFile &profile)
{
    dialogs().reportError(UnableToWriteText(profile.path(), profile.lastError()));
}

}  // namespace tintora

#include "mainwindow.h"

#include "altletterstyle.h"
#include "applicationtitle.h"
#include "cp1251validator.h"
#include "droppedfile.h"
#include "historykeys.h"
#include "languagetables.h"
#include "menubaritemstyle.h"
#include "previewdisplay.h"
#include "settings/profilefile.h"
#include "settings/recentfiles.h"
#include "aboutdialog.h"
#include "previewsettingsdialog.h"
#include "sliderthumbstyle.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"

#include "phone/activation.h"
#include "phone/opencommand.h"
#include "phone/phonelibrary.h"
#include "phone/savecommand.h"
#include "preview/clock.h"
#include "preview/jpegpicture.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewresources.h"
#include "scheme/catalogue.h"
#include "scheme/codepage.h"
#include "scheme/inputfile.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleFactory>
#include <QTimer>

#include <cstring>

namespace tintora {
namespace {

const char *const kPictureFilter = "JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg";
const char *const kPngFilter = "PNG(*.png)|*.png";
constexpr int kHintMilliseconds = 6000;
constexpr int kPreviewSize = 128;
constexpr int kClientWidth = 422;
constexpr int kClientHeight = 522;  // below the menu bar, the status bar included
constexpr int kStatusBarHeight = 24;
constexpr int kScreenRowHeight = 20;

QColor ToQColor(Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Colour FromQColor(const QColor &colour)
{
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

// The path without a ".png" ending, which the export adds itself.
QString PngBase(const QString &path)
{
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? path.chopped(4) : path;
}

}  // namespace

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
    // connectAction, the default command, stands bold on the menu bar.
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
    auto *sliderStyle = new SliderThumbStyle(QStyleFactory::create(QApplication::style()->name()));
    sliderStyle->setParent(ui->transparencySlider);
    ui->transparencySlider->setStyle(sliderStyle);
    // Fixed client area below the menu bar, whatever height the menu bar takes.
    ui->statusBar->setFixedHeight(kStatusBarHeight);
    ui->clientArea->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (int row = 0; row < ui->screenList->count(); ++row)
        ui->screenList->item(row)->setSizeHint(QSize(0, kScreenRowHeight));
    // The spin box is stepped with its buttons and the arrow keys, never typed into.
    if (auto *spinText = ui->transparencySpin->findChild<QLineEdit *>()) {
        spinText->setReadOnly(true);
        spinText->setMaxLength(3);
    }
    ui->schemeNameEdit->setValidator(new Cp1251Validator(ui->schemeNameEdit));
    auto *languages = new QActionGroup(this);
    languages->addAction(ui->russianAction);
    languages->addAction(ui->englishAction);

    connectControls();
    setUpFileCommands();
    setUpPreviewPanel();
    phonePoll_.setInterval(1000);

    startUp();
    applyPreviewZoom(ReadPreviewZoom(ProfileFile(environment_.settingsPath)));
    // Only now: a box that start-up shows runs the event loop, and the poll must not ask
    // the library before P2K_Init.
    phonePoll_.start();
}

MainWindow::~MainWindow()
{
    shutDown();
}

void MainWindow::setAboutDialog(AboutDialog *aboutDialog)
{
    aboutDialog_ = aboutDialog;
}

void MainWindow::setSettingsDialog(PreviewSettingsDialog *dialog)
{
    settingsDialog_ = dialog;
}

void MainWindow::connectControls()
{
    connect(ui->screenList, &QListWidget::currentRowChanged, this, &MainWindow::onScreenRowChanged);
    connect(ui->screenList, &QListWidget::clicked, this,
            [this](const QModelIndex &index) { onScreenRowClicked(index.row()); });
    connect(ui->elementCombo, &QComboBox::activated, this, &MainWindow::chooseElement);
    connect(ui->colourSwatch, &ClickLabel::clicked, this, &MainWindow::chooseColour);
    connect(ui->transparencySlider, &QSlider::valueChanged, this, &MainWindow::setTransparencyFromSlider);
    connect(ui->transparencySpin, &QSpinBox::valueChanged, this, &MainWindow::setTransparencyFromSpin);
    connect(ui->schemeNameEdit, &QLineEdit::textChanged, this, &MainWindow::renameScheme);
    connect(ui->openButton, &QPushButton::clicked, this, &MainWindow::openScheme);
    connect(ui->openAction, &QAction::triggered, this, &MainWindow::openScheme);
    connect(ui->saveButton, &QPushButton::clicked, this, &MainWindow::saveScheme);
    connect(ui->saveAction, &QAction::triggered, this, &MainWindow::saveScheme);
    connect(ui->loadBackgroundButton, &QPushButton::clicked, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->loadBackgroundAction, &QAction::triggered, this, &MainWindow::chooseBackgroundPicture);
    connect(ui->clearBackgroundButton, &QPushButton::clicked, this, &MainWindow::clearBackgroundPicture);
    connect(ui->exitAction, &QAction::triggered, this, &MainWindow::quit);
    connect(ui->russianAction, &QAction::triggered, this, [this] { chooseLanguage(ui->russianAction); });
    connect(ui->englishAction, &QAction::triggered, this, [this] { chooseLanguage(ui->englishAction); });
    connect(ui->previewSettingsAction, &QAction::triggered, this, &MainWindow::showPreviewSettings);
    connect(ui->activateAction, &QAction::triggered, this, &MainWindow::activateScheme);
    connect(ui->connectAction, &QAction::triggered, this, &MainWindow::toggleConnection);
    connect(ui->aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    connect(&phonePoll_, &QTimer::timeout, this, &MainWindow::pollPhone);
}

void MainWindow::startUp()
{
    // 1. The preview's face; when the file cannot be written it comes from memory.
    InstallPreviewFont(environment_.fontFilePath);

    // 2. The thirteen pictures; the preview keeps the background and the snapshot.
    pictures_ = LoadPreviewPictures();
    preview_ = std::make_unique<Preview>(scheme_, settings_.preview, *environment_.clock,
                                         pictures_);

    // 3. Language setting.
    const ProfileFile profile(environment_.settingsPath);
    language_ = ReadLanguage(profile);

    // 4. The work mode still holds computer mode.
    applyLanguage(language_);

    // 5. Other settings; start-up writes nothing.
    settings_ = ReadSettings(profile);
    if (profile.isTooLarge())
        ui->statusBar->showMessage(SettingsFileTooLargeText(language_, profile.path()));

    // 6. Scheme. What went wrong shows in the status bar, not in a box.
    if (!environment_.arguments.isEmpty()) {
        const QString path = environment_.arguments.first();
        QString note;
        if (!environment_.firstArgumentExact) {
            note = InexactArgumentText(language_, path);
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
            ui->statusBar->showMessage(note);
    } else {
        BuildDefaultScheme(scheme_);
    }

    // 7. Editor state; setting the two list rows runs no handler.
    preview_->clearBackgroundPicture();
    {
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(0);
    }
    selectedScreen_ = 0;
    firstElement_ = 1;
    elementCount_ = 12;
    ui->screenSizeCombo->setCurrentIndex(0);

    // 8.
    repaintPreview(0);

    // 9.
    fillElementCombo(true);

    // 10. Scheme name.
    const QString name = FromCp1251(scheme_.name);
    ui->schemeNameEdit->setText(name);
    if (!name.isEmpty())
        setCaption(SchemeCaption(name));

    // 11. Swatch, slider and spin box.
    showSelectedElement();

    // 12. Its result is not looked at; the status poll finds the phone.
    phone().P2K_Init(0);

    // 13.
    connection_.workMode = kComputerMode;

    // What start-up did to the scheme is where its history begins.
    document_.startFresh();
    showFilePath();
    fillRecentMenu();
}

void MainWindow::shutDown()
{
    // The unpacked font file stays on disk; nothing is saved or written.
    RemovePreviewFont();
}

int MainWindow::selectedElement() const
{
    return firstElement_ + ui->elementCombo->currentIndex();
}

void MainWindow::repaintPreview(int screen)
{
    preview_->RepaintPreview(screen);
    ui->previewDisplay->showPreview(preview_->image());
}

void MainWindow::drawSwatch()
{
    QPixmap swatch(ui->colourSwatch->size());
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(swatchColour_));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    painter.end();
    ui->colourSwatch->setPixmap(swatch);
    ui->colourHexEdit->setColour(swatchColour_);
}

void MainWindow::showSelectedElement()
{
    const int element = selectedElement();
    const int transparency = scheme_.entry(element).transparency;

    // 1.
    swatchColour_ = scheme_.entry(element).colour;
    drawSwatch();
    // 2. A changed value runs the slider's change handling, which aligns a linked partner.
    ui->transparencySlider->setValue(transparency);
    // 3.
    ui->transparencySpin->setValue(transparency);
}

void MainWindow::selectFirstScreen()
{
    {
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(0);
    }
    selectedScreen_ = 0;
    firstElement_ = 1;
    elementCount_ = 12;
    fillElementCombo(true);
    ui->schemeNameEdit->setText(FromCp1251(scheme_.name));
}

void MainWindow::fillElementCombo(bool resetIndex)
{
    // 1.
    const int remembered = ui->elementCombo->currentIndex();
    // 2.
    ui->elementCombo->clear();
    // 3.
    const int last = firstElement_ + elementCount_ - 1;
    for (int element = firstElement_; element <= last; ++element) {
        if (language_ == kRussian)
            ui->elementCombo->addItem(RussianElementName(element));
        else if (language_ == kEnglish)
            ui->elementCombo->addItem(EnglishElementName(element));
    }
    // 4.
    ui->elementCombo->setCurrentIndex(resetIndex ? 0 : remembered);
}

void MainWindow::onScreenRowChanged(int row)
{
    if (QApplication::mouseButtons() & Qt::LeftButton)
        rowChangedByPress_ = row;
    chooseScreen();
}

// A click on the row that is already selected chooses that screen again.
void MainWindow::onScreenRowClicked(int row)
{
    const bool handledAtPress = rowChangedByPress_ == row;
    rowChangedByPress_ = -1;
    if (!handledAtPress)
        chooseScreen();
}

void MainWindow::chooseScreen()
{
    // 1.
    const int row = ui->screenList->currentRow();
    selectedScreen_ = std::uint8_t(row);
    // 2.
    if (row >= 0 && row < kScreenCount) {
        firstElement_ = std::uint8_t(ScreenGroupTable[row].firstElement);
        elementCount_ = std::uint8_t(ScreenGroupTable[row].count);
    }
    // 3.
    fillElementCombo(true);
    // 4.
    showSelectedElement();
    // 5.
    repaintPreview(selectedScreen_);
}

void MainWindow::chooseElement()
{
    showSelectedElement();
}

void MainWindow::chooseColour()
{
    // 1.
    const std::optional<QColor> chosen = dialogs().chooseColour(ToQColor(chooserColour_));
    // 2.
    if (chosen) {
        chooserColour_ = FromQColor(*chosen);
        swatchColour_ = chooserColour_;
    }
    // 3. to 5.
    applySwatchColour();
}

void MainWindow::applySwatchColour()
{
    // 3.
    drawSwatch();
    // 4. After a cancel the swatch still holds the element's own colour.
    const ColourScheme before = scheme_;
    scheme_.entry(selectedElement()).colour = swatchColour_;
    document_.record(EditKind::Colour, selectedElement(), before);
    // 5.
    repaintPreview(selectedScreen_);
}

void MainWindow::setTransparencyFromSlider()
{
    // 1.
    ui->transparencySpin->setValue(ui->transparencySlider->value());
    // 2.
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui->transparencySpin->value());
    // 3.
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    // 4.
    repaintPreview(selectedScreen_);
}

void MainWindow::setTransparencyFromSpin()
{
    // 1.
    ui->transparencySlider->setValue(ui->transparencySpin->value());
    // 2.
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui->transparencySpin->value());
    // 3.
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    // 4.
    repaintPreview(selectedScreen_);
}

void MainWindow::renameScheme()
{
    const QString text = ui->schemeNameEdit->text();
    // 1.
    setCaption(text.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(text));
    // 2. The field's validator lets in only characters that Windows-1251 holds, and every
    // byte of a loaded name has a character, so the conversion always succeeds.
    const ColourScheme before = scheme_;
    if (const std::optional<QByteArray> name = ToCp1251(text))
        scheme_.name = *name;
    document_.record(EditKind::Name, 0, before);
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
    // 3 and 4. Decoded and stretched row by row; a refused file changes nothing.
    QString error;
    const std::optional<QImage> picture =
        LoadJpegScaled(path, kPreviewSize, kPreviewSize, &error, language_);
    if (!picture) {
        dialogs().reportError(error);
        return;
    }
    // 5.
    preview_->setBackgroundPicture(*picture);
    // 6.
    repaintPreview(selectedScreen_);
    // 7.
    ui->clearBackgroundButton->setEnabled(true);
}

void MainWindow::clearBackgroundPicture()
{
    preview_->clearBackgroundPicture();
    repaintPreview(selectedScreen_);
    ui->clearBackgroundButton->setEnabled(false);
}

void MainWindow::setControlCaption(const char *control, const QString &text)
{
    if (std::strcmp(control, "AboutDialog") == 0) {
        // Before the About box exists it takes its title from the language when created.
        if (aboutDialog_)
            aboutDialog_->setWindowTitle(text);
        return;
    }
    if (std::strcmp(control, "statusBar") == 0) {
        ui->statusBar->setPanelText(text);
        return;
    }
    QObject *target = findChild<QObject *>(QString::fromLatin1(control));
    if (auto *menu = qobject_cast<QMenu *>(target))
        menu->setTitle(text);
    else if (auto *action = qobject_cast<QAction *>(target))
        action->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(target))
        group->setTitle(text);
}

void MainWindow::applyLanguage(Language language)
{
    // 1. Writing a screen row keeps the selected row.
    if (language == kRussian || language == kEnglish) {
        ui->russianAction->setChecked(language == kRussian);
        ui->englishAction->setChecked(language == kEnglish);
        for (const Caption &caption : MainWindowCaptions)
            setControlCaption(caption.control, caption.text.text(language));
        for (const Caption &caption : PreviewMenuCaptions)
            setControlCaption(caption.control, caption.text.text(language));
        for (int row = 0; row < kScreenCount; ++row)
            ui->screenList->item(row)->setText(ScreenCaption(row, language));
        for (const Caption &caption : EditorCaptions)
            setControlCaption(caption.control, caption.text.text(language));
        showHistoryCaptions();
    }

    // 2. The stored flag and the work mode.
    if (language_ != kRussian && language_ != kEnglish)
        return;
    const bool phoneMode = connection_.workMode == kPhoneMode;
    for (const ModeCaption &caption : ModeCaptions)
        setControlCaption(caption.control,
                          (phoneMode ? caption.phone : caption.computer).text(language_));

    // 3.
    ui->statusBar->setStatusIcon(phoneMode ? pictures_.PHONE : pictures_.COMPUTER);
}

void MainWindow::chooseLanguage(QAction *sender)
{
    // 1.
    if (sender == ui->russianAction)
        language_ = kRussian;
    else if (sender == ui->englishAction)
        language_ = kEnglish;
    // 2.
    applyLanguage(language_);
    // 3.
    fillElementCombo(false);
    // 4. A failed write leaves the language applied; the next start uses the stored one.
    ProfileFile profile(environment_.settingsPath);
    if (!WriteLanguage(profile, language_))
        dialogs().reportError(UnableToWriteText(profile.path()));
}

void MainWindow::showPreviewSettings()
{
    PreviewSettingsDialog &dialog = *settingsDialog_;
    // 1.
    ProfileFile profile(environment_.settingsPath);
    // 2. From the file, not from memory.
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(profile);
    dialog.fillFromStored(stored);
    // 3.
    const QDate today = environment_.clock->now().date();
    std::uint16_t day = std::uint16_t(stored.ChoosedDate);
    // A stored 0 forms no date and is taken like a day past the month's end.
    if (day == 0 || day > today.daysInMonth())
        day = 1;
    dialog.setChosenDate(QDate(today.year(), today.month(), day));
    // 4.
    dialog.applyLanguage(language_);
    // 5.
    const bool ok = dialog.exec() == QDialog::Accepted;
    // 6.
    if (ok) {
        settings_.preview.ProviderName = dialog.providerName();
        settings_.preview.ClockFormat = std::uint8_t(dialog.clockFormat());
        settings_.preview.DateFormat = std::uint8_t(dialog.dateFormat());
        settings_.preview.PressedSoftKey = std::uint8_t(dialog.pressedSoftKey());
        settings_.preview.ChoosedDate = std::uint16_t(dialog.chosenDay());
        day = settings_.preview.ChoosedDate;
    }
    // 7. Whichever button closed it.
    if (!WritePreviewSettings(profile, settings_.preview, day)) {
        dialogs().reportError(UnableToWriteText(profile.path()));
        return;
    }
    // 8.
    repaintPreview(selectedScreen_);
}

void MainWindow::showAbout()
{
    aboutDialog_->exec();
}

void MainWindow::quit()
{
    close();
}

void MainWindow::pollPhone()
{
    connection_.poll(phone());
    ui->connectAction->setEnabled(connection_.connectEnabled);
}

void MainWindow::toggleConnection()
{
    connection_.toggle(phone());
    applyLanguage(language_);
}

CommandContext MainWindow::commandContext()
{
    return CommandContext{phone(), scheme_, dialogs(), language_};
}

void MainWindow::openScheme()
{
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath));
    if (!result.resetView)
        return;
    ui->statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(connection_.workMode == kComputerMode);
}

// The view goes back to the first screen whatever the load did.
void MainWindow::resetViewAfterLoad()
{
    selectFirstScreen();
    setCaption(SchemeCaption(FromCp1251(scheme_.name)));
    showSelectedElement();
    repaintPreview(0);
}

bool MainWindow::saveScheme()
{
    CommandContext context = commandContext();
    const SaveResult result = SaveCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath),
                                          ui->saveButton->text());
    if (result.saved)
        ui->statusBar->clearMessage();
    if (result.showName)
        showSavedName();
    if (result.saved) {
        document_.markSaved();
        if (connection_.workMode == kComputerMode)
            rememberRecentFile(document_.filePath);
    }
    showFilePath();
    return result.saved;
}

void MainWindow::showSavedName()
{
    const QString name = FromCp1251(scheme_.name);
    ui->schemeNameEdit->setText(name);
    setCaption(SchemeCaption(name));
}

void MainWindow::activateScheme()
{
    CommandContext context = commandContext();
    ActivateCommand(context, connection_.workMode);
}

// ---- The editor's own commands: the document, its history, recent files, drops. ----

void MainWindow::setUpFileCommands()
{
    connect(ui->newAction, &QAction::triggered, this, &MainWindow::newScheme);
    connect(ui->saveAsAction, &QAction::triggered, this, &MainWindow::saveSchemeAs);
    connect(ui->undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(ui->redoAction, &QAction::triggered, this, &MainWindow::redo);
    connect(ui->recentFilesMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);

    ui->newAction->setShortcuts(QKeySequence::New);
    ui->openAction->setShortcuts(QKeySequence::Open);
    ui->saveAction->setShortcuts(QKeySequence::Save);
    ui->saveAsAction->setShortcuts(QKeySequence::SaveAs);
    // Where the platform names none (Windows), the key most programs there use.
    if (ui->saveAsAction->shortcuts().isEmpty())
        ui->saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui->exitAction->setShortcuts(QKeySequence::Quit);
    ui->undoAction->setShortcuts(QKeySequence::Undo);
    ui->redoAction->setShortcuts(QKeySequence::Redo);
    ui->aboutAction->setShortcut(QKeySequence(Qt::Key_F1));
    ui->schemeNameEdit->installEventFilter(new HistoryKeys(ui->schemeNameEdit));
    ui->colourHexEdit->installEventFilter(new HistoryKeys(ui->colourHexEdit));
    // A file let go over the name field opens like anywhere else on the window, instead of
    // its address being typed into the name.
    ui->schemeNameEdit->setAcceptDrops(false);

    // The slider held down makes one step of its changes.
    connect(ui->transparencySlider, &QSlider::sliderPressed, &document_, &SchemeDocument::beginDrag);
    connect(ui->transparencySlider, &QSlider::sliderReleased, &document_, &SchemeDocument::endDrag);
    connect(&document_, &SchemeDocument::modifiedChanged, this, &MainWindow::setWindowModified);
    connect(&document_, &SchemeDocument::restored, this, &MainWindow::showRestoredEdit);
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &MainWindow::showHistoryCaptions);

    setAcceptDrops(true);
}

// The title the scheme gives, with the mark of unsaved changes behind it.
void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption + QStringLiteral("[*]"));
}

bool MainWindow::mayDiscardChanges()
{
    return document_.mayDiscard(dialogs(), language_, [this] { return saveScheme(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscardChanges())
        event->accept();
    else
        event->ignore();
}

void MainWindow::newScheme()
{
    if (!mayDiscardChanges())
        return;
    scheme_ = ColourScheme{};
    BuildDefaultScheme(scheme_);
    document_.filePath.clear();
    selectFirstScreen();
    setCaption(QString::fromLatin1(kApplicationTitle));
    showSelectedElement();
    repaintPreview(0);
    schemeLoaded(false);
}

// Always to a computer file, which becomes the current one, in phone mode too.
void MainWindow::saveSchemeAs()
{
    CommandContext context = commandContext();
    QString path;
    const SaveResult result = SaveToComputer(context, path, ui->saveAsAction->iconText());
    if (!result.saved)
        return;
    ui->statusBar->clearMessage();
    document_.filePath = path;
    showSavedName();
    document_.markSaved();
    rememberRecentFile(path);
    showFilePath();
}

// A new scheme is in the editor: its history starts here.
void MainWindow::schemeLoaded(bool fromComputer)
{
    document_.startFresh();
    if (fromComputer)
        rememberRecentFile(document_.filePath);
    showFilePath();
}

void MainWindow::openSchemeFile(const QString &path)
{
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenSchemeFile(context, path, document_.filePath);
    ui->statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(true);
}

void MainWindow::openRecentFile(const QString &path)
{
    if (QFileInfo::exists(path)) {
        openSchemeFile(path);
        return;
    }
    dialogs().inform(MissingRecentFileText(language_, QDir::toNativeSeparators(path)));
    ProfileFile profile(environment_.settingsPath);
    RecentFiles recent = RecentFiles::Read(profile);
    recent.remove(path);
    if (!recent.write(profile))
        dialogs().reportError(UnableToWriteText(profile.path()));
    fillRecentMenu();
}

void MainWindow::rememberRecentFile(const QString &path)
{
    ProfileFile profile(environment_.settingsPath);
    RecentFiles recent = RecentFiles::Read(profile);
    recent.add(path);
    if (!recent.write(profile))
        dialogs().reportError(UnableToWriteText(profile.path()));
    fillRecentMenu();
}

// Read afresh each time, like every other setting.
void MainWindow::fillRecentMenu()
{
    QMenu *menu = ui->recentFilesMenu;
    menu->clear();
    const QStringList paths = RecentFiles::Read(ProfileFile(environment_.settingsPath)).paths();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        const QString path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->menuAction()->setEnabled(!paths.isEmpty());
}

void MainWindow::showFilePath()
{
    setWindowFilePath(document_.filePath);
    ui->statusBar->setFilePath(QDir::toNativeSeparators(document_.filePath));
}

void MainWindow::undo()
{
    document_.history().undo();
}

void MainWindow::redo()
{
    document_.history().redo();
}

// "Undo colour of Main text": what the next undo and redo would change.
void MainWindow::showHistoryCaptions()
{
    const QUndoStack &history = document_.history();
    const int index = history.index();
    const auto *undo = index > 0 ? static_cast<const SchemeEdit *>(history.command(index - 1))
                                 : nullptr;
    const auto *redo = index < history.count()
                           ? static_cast<const SchemeEdit *>(history.command(index))
                           : nullptr;
    const QString undoText = EditorCaption("undoAction", language_);
    const QString redoText = EditorCaption("redoAction", language_);
    ui->undoAction->setText(undo ? undoText + QLatin1Char(' ') + undo->describe(language_) : undoText);
    ui->redoAction->setText(redo ? redoText + QLatin1Char(' ') + redo->describe(language_) : redoText);
    ui->undoAction->setEnabled(undo != nullptr);
    ui->redoAction->setEnabled(redo != nullptr);
}

void MainWindow::showRestoredEdit(EditKind kind, int element)
{
    if (kind == EditKind::Name)
        ui->schemeNameEdit->setText(FromCp1251(scheme_.name));
    else
        moveToElement(element);
}

// The element list shows element, on its screen, with its restored values; the slider's
// change handling does not run, so nothing is stored over what was restored.
void MainWindow::moveToElement(int element)
{
    const auto onScreen = [element](int first, int count) {
        return element >= first && element < first + count;
    };
    for (int screen = 0; screen < kScreenCount && !onScreen(firstElement_, elementCount_); ++screen) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        if (!onScreen(group.firstElement, group.count))
            continue;
        const QSignalBlocker blocker(ui->screenList);
        ui->screenList->setCurrentRow(screen);
        selectedScreen_ = std::uint8_t(screen);
        firstElement_ = std::uint8_t(group.firstElement);
        elementCount_ = std::uint8_t(group.count);
        fillElementCombo(true);
    }
    if (onScreen(firstElement_, elementCount_))
        ui->elementCombo->setCurrentIndex(element - firstElement_);
    {
        const QSignalBlocker sliderBlocker(ui->transparencySlider);
        const QSignalBlocker spinBlocker(ui->transparencySpin);
        showSelectedElement();
    }
    repaintPreview(selectedScreen_);
}

// The preview's zoom, the element under a click, the hex colour field and export.

void MainWindow::setUpPreviewPanel()
{
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
    connect(ui->colourHexEdit, &HexColourEdit::colourEntered, this, &MainWindow::applyHexColour);
    connect(ui->exportScreenAction, &QAction::triggered, this, &MainWindow::exportScreen);
    connect(ui->exportAllScreensAction, &QAction::triggered, this, &MainWindow::exportAllScreens);
    for (QWidget *control : ui->clientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        homePositions_.insert(control, control->pos());
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
        dialogs().reportError(UnableToWriteText(profile.path()));
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

void MainWindow::applyHexColour(Colour colour)
{
    swatchColour_ = colour;
    applySwatchColour();
}

bool MainWindow::exportPreviewImage(const QString &path)
{
    if (PreviewDisplay::Enlarged(preview_->image(), ui->previewDisplay->zoom()).save(path, "PNG"))
        return true;
    dialogs().reportError(UnableToWriteText(path));
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
            openSchemeFile(file.path);
        else
            loadBackgroundPicture(file.path);
    });
}

}  // namespace tintora

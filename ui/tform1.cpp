#include "tform1.h"

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
#include "taboutbox.h"
#include "tokbottomdlg.h"
#include "trackbarstyle.h"
#include "ui_tform1.h"
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

TForm1::TForm1(const FormEnvironment &environment, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      environment_(environment),
      ui(std::make_unique<Ui::TForm1>()),
      document_(*environment.clock),
      scheme_(document_.scheme)
{
    EnsurePreviewResources();
    ui->setupUi(this);
    // N13, the default command, stands bold on the menu bar.
    const QString styleName = QApplication::style()->name();
    auto *menuStyle = new AltLetterStyle(
        new MenuBarItemStyle(QStyleFactory::create(styleName)), ui->MainMenu1);
    menuStyle->setParent(ui->MainMenu1);
    ui->MainMenu1->setStyle(menuStyle);
    for (QMenu *menu : ui->MainMenu1->findChildren<QMenu *>()) {
        auto *style = new AltLetterStyle(QStyleFactory::create(styleName), ui->MainMenu1);
        style->setParent(menu);
        menu->setStyle(style);
    }
    auto *sliderStyle = new TrackBarStyle(QStyleFactory::create(QApplication::style()->name()));
    sliderStyle->setParent(ui->TrackBar1);
    ui->TrackBar1->setStyle(sliderStyle);
    // Fixed client area below the menu bar, whatever height the menu bar takes.
    ui->StatusBar1->setFixedHeight(kStatusBarHeight);
    ui->ClientArea->setFixedSize(kClientWidth, kClientHeight - kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (int row = 0; row < ui->ListBox1->count(); ++row)
        ui->ListBox1->item(row)->setSizeHint(QSize(0, kScreenRowHeight));
    // The spin box is stepped with its buttons and the arrow keys, never typed into.
    if (auto *spinText = ui->SpinEdit1->findChild<QLineEdit *>()) {
        spinText->setReadOnly(true);
        spinText->setMaxLength(3);
    }
    ui->LabeledEdit1->setValidator(new Cp1251Validator(ui->LabeledEdit1));
    auto *languages = new QActionGroup(this);
    languages->addAction(ui->N6);
    languages->addAction(ui->N7);

    connectHandlers();
    setUpEditorCommands();
    connectPreviewTools();
    Timer1.setInterval(1000);

    FormCreate();
    ApplyPreviewZoom(ReadPreviewZoom(ProfileFile(environment_.settingsPath)));
    // Only now: a box that start-up shows runs the event loop, and the poll must not ask
    // the library before P2K_Init.
    Timer1.start();
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::setAboutBox(TAboutBox *aboutBox)
{
    aboutBox_ = aboutBox;
}

void TForm1::setSettingsDialog(TOKBottomDlg *dialog)
{
    settingsDialog_ = dialog;
}

void TForm1::connectHandlers()
{
    connect(ui->ListBox1, &QListWidget::currentRowChanged, this, &TForm1::onScreenRowChanged);
    connect(ui->ListBox1, &QListWidget::clicked, this,
            [this](const QModelIndex &index) { onScreenRowClicked(index.row()); });
    connect(ui->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ui->ColorBar, &ClickLabel::clicked, this, &TForm1::StaticText1Click);
    connect(ui->TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
    connect(ui->SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);
    connect(ui->LabeledEdit1, &QLineEdit::textChanged, this, &TForm1::LabeledEdit1Change);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui->Open1, &QAction::triggered, this, &TForm1::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(ui->Save1, &QAction::triggered, this, &TForm1::Button2Click);
    connect(ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui->N3, &QAction::triggered, this, &TForm1::Button3Click);
    connect(ui->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(ui->N6, &QAction::triggered, this, [this] { LanguageClick(ui->N6); });
    connect(ui->N7, &QAction::triggered, this, [this] { LanguageClick(ui->N7); });
    connect(ui->N8, &QAction::triggered, this, &TForm1::N8Click);
    connect(ui->spcolorsch1, &QAction::triggered, this, &TForm1::spcolorsch1Click);
    connect(ui->N13, &QAction::triggered, this, &TForm1::N13Click);
    connect(ui->N11, &QAction::triggered, this, &TForm1::N11Click);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::FormCreate()
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
    ApplyLanguage(language_);

    // 5. Other settings; start-up writes nothing.
    settings_ = ReadSettings(profile);

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
            ui->StatusBar1->showMessage(note);
    } else {
        BuildDefaultScheme(scheme_);
    }

    // 7. Editor state; setting the two list rows runs no handler.
    preview_->clearBackgroundPicture();
    {
        const QSignalBlocker blocker(ui->ListBox1);
        ui->ListBox1->setCurrentRow(0);
    }
    SelectedScreen = 0;
    FirstElement = 1;
    ElementCount = 12;
    ui->ComboBox1->setCurrentIndex(0);

    // 8.
    RepaintPreview(0);

    // 9.
    FillElementCombo(true);

    // 10. Scheme name.
    const QString name = FromCp1251(scheme_.name);
    ui->LabeledEdit1->setText(name);
    if (!name.isEmpty())
        setCaption(SchemeCaption(name));

    // 11. Swatch, slider and spin box.
    ShowSelectedElement();

    // 12. Its result is not looked at; the status poll finds the phone.
    phone().P2K_Init(0);

    // 13.
    connection_.workMode = kComputerMode;

    // What start-up did to the scheme is where its history begins.
    document_.startFresh();
    showFilePath();
    fillRecentMenu();
}

void TForm1::FormDestroy()
{
    // The unpacked font file stays on disk; nothing is saved or written.
    RemovePreviewFont();
}

int TForm1::selectedElement() const
{
    return FirstElement + ui->ComboBox2->currentIndex();
}

void TForm1::RepaintPreview(int screen)
{
    preview_->RepaintPreview(screen);
    ui->Image1->showPreview(preview_->image());
}

void TForm1::DrawSwatch()
{
    QPixmap swatch(ui->ColorBar->size());
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(swatchColour_));
    painter.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    painter.end();
    ui->ColorBar->setPixmap(swatch);
    ui->ColourHex->setColour(swatchColour_);
}

void TForm1::ShowSelectedElement()
{
    const int element = selectedElement();
    const int transparency = scheme_.entry(element).transparency;

    // 1.
    swatchColour_ = scheme_.entry(element).colour;
    DrawSwatch();
    // 2. A changed value runs the slider's change handling, which aligns a linked partner.
    ui->TrackBar1->setValue(transparency);
    // 3.
    ui->SpinEdit1->setValue(transparency);
}

void TForm1::SelectFirstScreen()
{
    {
        const QSignalBlocker blocker(ui->ListBox1);
        ui->ListBox1->setCurrentRow(0);
    }
    SelectedScreen = 0;
    FirstElement = 1;
    ElementCount = 12;
    FillElementCombo(true);
    ui->LabeledEdit1->setText(FromCp1251(scheme_.name));
}

void TForm1::FillElementCombo(bool resetIndex)
{
    // 1.
    const int remembered = ui->ComboBox2->currentIndex();
    // 2.
    ui->ComboBox2->clear();
    // 3.
    const int last = FirstElement + ElementCount - 1;
    for (int element = FirstElement; element <= last; ++element) {
        if (language_ == kRussian)
            ui->ComboBox2->addItem(RussianElementName(element));
        else if (language_ == kEnglish)
            ui->ComboBox2->addItem(EnglishElementName(element));
    }
    // 4.
    ui->ComboBox2->setCurrentIndex(resetIndex ? 0 : remembered);
}

void TForm1::onScreenRowChanged(int row)
{
    if (QApplication::mouseButtons() & Qt::LeftButton)
        rowChangedByPress_ = row;
    ListBox1Click();
}

// A click on the row that is already selected chooses that screen again.
void TForm1::onScreenRowClicked(int row)
{
    const bool handledAtPress = rowChangedByPress_ == row;
    rowChangedByPress_ = -1;
    if (!handledAtPress)
        ListBox1Click();
}

void TForm1::ListBox1Click()
{
    // 1.
    const int row = ui->ListBox1->currentRow();
    SelectedScreen = std::uint8_t(row);
    // 2.
    if (row >= 0 && row < kScreenCount) {
        FirstElement = std::uint8_t(ScreenGroupTable[row].firstElement);
        ElementCount = std::uint8_t(ScreenGroupTable[row].count);
    }
    // 3.
    FillElementCombo(true);
    // 4.
    ShowSelectedElement();
    // 5.
    RepaintPreview(SelectedScreen);
}

void TForm1::ComboBox2Change()
{
    ShowSelectedElement();
}

void TForm1::StaticText1Click()
{
    // 1.
    const std::optional<QColor> chosen = dialogs().chooseColour(ToQColor(chooserColour_));
    // 2.
    if (chosen) {
        chooserColour_ = FromQColor(*chosen);
        swatchColour_ = chooserColour_;
    }
    // 3. to 5.
    ApplySwatchColour();
}

void TForm1::ApplySwatchColour()
{
    // 3.
    DrawSwatch();
    // 4. After a cancel the swatch still holds the element's own colour.
    const ColourScheme before = scheme_;
    scheme_.entry(selectedElement()).colour = swatchColour_;
    document_.record(EditKind::Colour, selectedElement(), before);
    // 5.
    RepaintPreview(SelectedScreen);
}

void TForm1::TrackBar1Change()
{
    // 1.
    ui->SpinEdit1->setValue(ui->TrackBar1->value());
    // 2.
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui->SpinEdit1->value());
    // 3.
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    // 4.
    RepaintPreview(SelectedScreen);
}

void TForm1::SpinEdit1Change()
{
    // 1.
    ui->TrackBar1->setValue(ui->SpinEdit1->value());
    // 2.
    const int element = selectedElement();
    const ColourScheme before = scheme_;
    scheme_.entry(element).transparency = std::uint8_t(ui->SpinEdit1->value());
    // 3.
    SyncLinkedTransparency(scheme_, element);
    document_.record(EditKind::Transparency, element, before);
    // 4.
    RepaintPreview(SelectedScreen);
}

void TForm1::LabeledEdit1Change()
{
    const QString text = ui->LabeledEdit1->text();
    // 1.
    setCaption(text.isEmpty() ? QString::fromLatin1(kApplicationTitle) : SchemeCaption(text));
    // 2. The field's validator lets in only characters that Windows-1251 holds, and every
    // byte of a loaded name has a character, so the conversion always succeeds.
    const ColourScheme before = scheme_;
    if (const std::optional<QByteArray> name = ToCp1251(text))
        scheme_.name = *name;
    document_.record(EditKind::Name, 0, before);
}

void TForm1::Button3Click()
{
    // 1.
    const QString path = dialogs().choosePictureFile(ui->Button3->text(),
                                                      QString::fromLatin1(kPictureFilter));
    // 2.
    if (path.isEmpty())
        return;
    loadBackgroundPicture(path);
}

// Button3Click from step 3 on.
void TForm1::loadBackgroundPicture(const QString &path)
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
    RepaintPreview(SelectedScreen);
    // 7.
    ui->Button4->setEnabled(true);
}

void TForm1::Button4Click()
{
    preview_->clearBackgroundPicture();
    RepaintPreview(SelectedScreen);
    ui->Button4->setEnabled(false);
}

void TForm1::setControlCaption(const char *control, const QString &text)
{
    if (std::strcmp(control, "AboutBox") == 0) {
        // Before the About box exists it takes its title from the language when created.
        if (aboutBox_)
            aboutBox_->setWindowTitle(text);
        return;
    }
    if (std::strcmp(control, "StatusBar1") == 0) {
        ui->StatusBar1->setPanelText(text);
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

void TForm1::ApplyLanguage(Language language)
{
    // 1. Writing a screen row keeps the selected row.
    if (language == kRussian || language == kEnglish) {
        ui->N6->setChecked(language == kRussian);
        ui->N7->setChecked(language == kEnglish);
        for (const Caption &caption : MainWindowCaptions)
            setControlCaption(caption.control, caption.text.text(language));
        for (const Caption &caption : PreviewMenuCaptions)
            setControlCaption(caption.control, caption.text.text(language));
        for (int row = 0; row < kScreenCount; ++row)
            ui->ListBox1->item(row)->setText(ScreenCaption(row, language));
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
    ui->StatusBar1->setStatusIcon(phoneMode ? pictures_.PHONE : pictures_.COMPUTER);
}

void TForm1::LanguageClick(QAction *sender)
{
    // 1.
    if (sender == ui->N6)
        language_ = kRussian;
    else if (sender == ui->N7)
        language_ = kEnglish;
    // 2.
    ApplyLanguage(language_);
    // 3.
    FillElementCombo(false);
    // 4. A failed write leaves the language applied; the next start uses the stored one.
    ProfileFile profile(environment_.settingsPath);
    if (!WriteLanguage(profile, language_))
        dialogs().reportError(UnableToWriteText(profile.path()));
}

void TForm1::N8Click()
{
    TOKBottomDlg &dialog = *settingsDialog_;
    // 1.
    ProfileFile profile(environment_.settingsPath);
    // 2. From the file, not from memory.
    const StoredPreviewSettings stored = ReadStoredPreviewSettings(profile);
    dialog.FillFromFile(stored);
    // 3.
    const QDate today = environment_.clock->now().date();
    std::uint16_t day = std::uint16_t(stored.ChoosedDate);
    // A stored 0 forms no date and is taken like a day past the month's end.
    if (day == 0 || day > today.daysInMonth())
        day = 1;
    dialog.setChoosedDate(QDate(today.year(), today.month(), day));
    // 4.
    dialog.SetTexts(language_);
    // 5.
    const bool ok = dialog.exec() == QDialog::Accepted;
    // 6.
    if (ok) {
        settings_.preview.ProviderName = dialog.providerName();
        settings_.preview.ClockFormat = std::uint8_t(dialog.clockFormat());
        settings_.preview.DateFormat = std::uint8_t(dialog.dateFormat());
        settings_.preview.PressedSoftKey = std::uint8_t(dialog.pressedSoftKey());
        settings_.preview.ChoosedDate = std::uint16_t(dialog.choosedDay());
        day = settings_.preview.ChoosedDate;
    }
    // 7. Whichever button closed it.
    if (!WritePreviewSettings(profile, settings_.preview, day)) {
        dialogs().reportError(UnableToWriteText(profile.path()));
        return;
    }
    // 8.
    RepaintPreview(SelectedScreen);
}

void TForm1::N11Click()
{
    aboutBox_->exec();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::Timer1Timer()
{
    connection_.Timer1Timer(phone());
    ui->N13->setEnabled(connection_.connectEnabled);
}

void TForm1::N13Click()
{
    connection_.N13Click(phone());
    ApplyLanguage(language_);
}

CommandContext TForm1::commandContext()
{
    return CommandContext{phone(), scheme_, dialogs(), language_};
}

void TForm1::Button1Click()
{
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath));
    if (!result.resetView)
        return;
    ui->StatusBar1->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(connection_.workMode == kComputerMode);
}

// The view goes back to the first screen whatever the load did.
void TForm1::resetViewAfterLoad()
{
    SelectFirstScreen();
    setCaption(SchemeCaption(FromCp1251(scheme_.name)));
    ShowSelectedElement();
    RepaintPreview(0);
}

void TForm1::Button2Click()
{
    saveScheme();
}

bool TForm1::saveScheme()
{
    CommandContext context = commandContext();
    const SaveResult result = SaveCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath),
                                          ui->Button2->text());
    if (result.saved)
        ui->StatusBar1->clearMessage();
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

void TForm1::showSavedName()
{
    const QString name = FromCp1251(scheme_.name);
    ui->LabeledEdit1->setText(name);
    setCaption(SchemeCaption(name));
}

void TForm1::spcolorsch1Click()
{
    CommandContext context = commandContext();
    ActivateCommand(context, connection_.workMode);
}

// ---- The editor's own commands: the document, its history, recent files, drops. ----

void TForm1::setUpEditorCommands()
{
    connect(ui->New1, &QAction::triggered, this, &TForm1::New1Click);
    connect(ui->SaveAs1, &QAction::triggered, this, &TForm1::SaveAs1Click);
    connect(ui->Undo1, &QAction::triggered, this, &TForm1::Undo1Click);
    connect(ui->Redo1, &QAction::triggered, this, &TForm1::Redo1Click);
    connect(ui->RecentFiles1, &QMenu::aboutToShow, this, &TForm1::fillRecentMenu);

    ui->New1->setShortcuts(QKeySequence::New);
    ui->Open1->setShortcuts(QKeySequence::Open);
    ui->Save1->setShortcuts(QKeySequence::Save);
    ui->SaveAs1->setShortcuts(QKeySequence::SaveAs);
    // Where the platform names none (Windows), the key most programs there use.
    if (ui->SaveAs1->shortcuts().isEmpty())
        ui->SaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui->Exit1->setShortcuts(QKeySequence::Quit);
    ui->Undo1->setShortcuts(QKeySequence::Undo);
    ui->Redo1->setShortcuts(QKeySequence::Redo);
    ui->N11->setShortcut(QKeySequence(Qt::Key_F1));
    ui->LabeledEdit1->installEventFilter(new HistoryKeys(ui->LabeledEdit1));
    ui->ColourHex->installEventFilter(new HistoryKeys(ui->ColourHex));
    // A file let go over the name field opens like anywhere else on the window, instead of
    // its address being typed into the name.
    ui->LabeledEdit1->setAcceptDrops(false);

    // The slider held down makes one step of its changes.
    connect(ui->TrackBar1, &QSlider::sliderPressed, &document_, &SchemeDocument::beginDrag);
    connect(ui->TrackBar1, &QSlider::sliderReleased, &document_, &SchemeDocument::endDrag);
    connect(&document_, &SchemeDocument::modifiedChanged, this, &TForm1::setWindowModified);
    connect(&document_, &SchemeDocument::restored, this, &TForm1::showRestoredEdit);
    connect(&document_.history(), &QUndoStack::indexChanged, this,
            &TForm1::showHistoryCaptions);

    setAcceptDrops(true);
}

// The title the scheme gives, with the mark of unsaved changes behind it.
void TForm1::setCaption(const QString &caption)
{
    setWindowTitle(caption + QStringLiteral("[*]"));
}

bool TForm1::mayDiscardChanges()
{
    return document_.mayDiscard(dialogs(), language_, [this] { return saveScheme(); });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (mayDiscardChanges())
        event->accept();
    else
        event->ignore();
}

void TForm1::New1Click()
{
    if (!mayDiscardChanges())
        return;
    scheme_ = ColourScheme{};
    BuildDefaultScheme(scheme_);
    document_.filePath.clear();
    SelectFirstScreen();
    setCaption(QString::fromLatin1(kApplicationTitle));
    ShowSelectedElement();
    RepaintPreview(0);
    schemeLoaded(false);
}

// Always to a computer file, which becomes the current one, in phone mode too.
void TForm1::SaveAs1Click()
{
    CommandContext context = commandContext();
    QString path;
    const SaveResult result = SaveToComputer(context, path, ui->SaveAs1->iconText());
    if (!result.saved)
        return;
    ui->StatusBar1->clearMessage();
    document_.filePath = path;
    showSavedName();
    document_.markSaved();
    rememberRecentFile(path);
    showFilePath();
}

// A new scheme is in the editor: its history starts here.
void TForm1::schemeLoaded(bool fromComputer)
{
    document_.startFresh();
    if (fromComputer)
        rememberRecentFile(document_.filePath);
    showFilePath();
}

void TForm1::openSchemeFile(const QString &path)
{
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenSchemeFile(context, path, document_.filePath);
    ui->StatusBar1->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(true);
}

void TForm1::openRecentFile(const QString &path)
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

void TForm1::rememberRecentFile(const QString &path)
{
    ProfileFile profile(environment_.settingsPath);
    RecentFiles recent = RecentFiles::Read(profile);
    recent.add(path);
    if (!recent.write(profile))
        dialogs().reportError(UnableToWriteText(profile.path()));
    fillRecentMenu();
}

// Read afresh each time, like every other setting.
void TForm1::fillRecentMenu()
{
    QMenu *menu = ui->RecentFiles1;
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

void TForm1::showFilePath()
{
    setWindowFilePath(document_.filePath);
    ui->StatusBar1->setFilePath(QDir::toNativeSeparators(document_.filePath));
}

void TForm1::Undo1Click()
{
    document_.history().undo();
}

void TForm1::Redo1Click()
{
    document_.history().redo();
}

// "Undo colour of Main text": what the next undo and redo would change.
void TForm1::showHistoryCaptions()
{
    const QUndoStack &history = document_.history();
    const int index = history.index();
    const auto *undo = index > 0 ? static_cast<const SchemeEdit *>(history.command(index - 1))
                                 : nullptr;
    const auto *redo = index < history.count()
                           ? static_cast<const SchemeEdit *>(history.command(index))
                           : nullptr;
    const QString undoText = EditorCaption("Undo1", language_);
    const QString redoText = EditorCaption("Redo1", language_);
    ui->Undo1->setText(undo ? undoText + QLatin1Char(' ') + undo->describe(language_) : undoText);
    ui->Redo1->setText(redo ? redoText + QLatin1Char(' ') + redo->describe(language_) : redoText);
    ui->Undo1->setEnabled(undo != nullptr);
    ui->Redo1->setEnabled(redo != nullptr);
}

void TForm1::showRestoredEdit(EditKind kind, int element)
{
    if (kind == EditKind::Name)
        ui->LabeledEdit1->setText(FromCp1251(scheme_.name));
    else
        moveToElement(element);
}

// The element list shows element, on its screen, with its restored values; the slider's
// change handling does not run, so nothing is stored over what was restored.
void TForm1::moveToElement(int element)
{
    const auto onScreen = [element](int first, int count) {
        return element >= first && element < first + count;
    };
    for (int screen = 0; screen < kScreenCount && !onScreen(FirstElement, ElementCount); ++screen) {
        const ScreenGroup &group = ScreenGroupTable[screen];
        if (!onScreen(group.firstElement, group.count))
            continue;
        const QSignalBlocker blocker(ui->ListBox1);
        ui->ListBox1->setCurrentRow(screen);
        SelectedScreen = std::uint8_t(screen);
        FirstElement = std::uint8_t(group.firstElement);
        ElementCount = std::uint8_t(group.count);
        FillElementCombo(true);
    }
    if (onScreen(FirstElement, ElementCount))
        ui->ComboBox2->setCurrentIndex(element - FirstElement);
    {
        const QSignalBlocker sliderBlocker(ui->TrackBar1);
        const QSignalBlocker spinBlocker(ui->SpinEdit1);
        ShowSelectedElement();
    }
    RepaintPreview(SelectedScreen);
}

// The preview's zoom, the element under a click, the hex colour field and export.

void TForm1::connectPreviewTools()
{
    const QList<QAction *> zooms = {ui->Zoom1, ui->Zoom2, ui->Zoom3, ui->Zoom4};
    auto *zoomGroup = new QActionGroup(this);
    for (int i = 0; i < zooms.size(); ++i) {
        zoomGroup->addAction(zooms[i]);
        connect(zooms[i], &QAction::triggered, this, [this, i] { ZoomClick(i + 1); });
    }
    connect(ui->Image1, &PreviewDisplay::pixelClicked, this, &TForm1::PreviewPixelClicked);
    // A name found on one screen says nothing about the next.
    connect(ui->ListBox1, &QListWidget::currentRowChanged, ui->StatusBar1,
            &StatusBar::clearHint);
    connect(ui->ColourHex, &HexColourEdit::colourEntered, this, &TForm1::ColourHexEntered);
    connect(ui->ExportScreen1, &QAction::triggered, this, &TForm1::ExportScreenClick);
    connect(ui->ExportAllScreens1, &QAction::triggered, this, &TForm1::ExportAllScreensClick);
    for (QWidget *control : ui->ClientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        homePositions_.insert(control, control->pos());
}

// The preview grows to the right and down; what stands right of it or below it moves along,
// and the window grows by as much.
void TForm1::ApplyPreviewZoom(int zoom)
{
    ui->Image1->setZoom(zoom);
    zoom = ui->Image1->zoom();
    const int grow = PreviewDisplay::kPreviewSize * (zoom - 1);
    const QPoint previewHome = homePositions_.value(ui->Image1);
    const int previewRight = previewHome.x() + PreviewDisplay::kPreviewSize;
    const int previewBottom = previewHome.y() + PreviewDisplay::kPreviewSize;
    for (auto it = homePositions_.cbegin(); it != homePositions_.cend(); ++it) {
        const QPoint home = it.value();
        it.key()->move(home.x() + (home.x() >= previewRight ? grow : 0),
                       home.y() + (home.y() >= previewBottom ? grow : 0));
    }
    ui->ClientArea->setFixedSize(kClientWidth + grow, kClientHeight - kStatusBarHeight + grow);
    const QList<QAction *> zooms = {ui->Zoom1, ui->Zoom2, ui->Zoom3, ui->Zoom4};
    zooms[zoom - 1]->setChecked(true);
    layout()->activate();
}

void TForm1::ZoomClick(int zoom)
{
    ApplyPreviewZoom(zoom);
    ProfileFile profile(environment_.settingsPath);
    if (!WritePreviewZoom(profile, zoom))
        dialogs().reportError(UnableToWriteText(profile.path()));
}

// The element that drew the pixel is chosen when the screen lists it; otherwise its name is
// shown. Pictures and fixed colours belong to no element.
void TForm1::PreviewPixelClicked(const QPoint &pixel)
{
    const int element = preview_->elementMap().elementAt(pixel.x(), pixel.y());
    ui->StatusBar1->clearHint();
    if (element == 0)
        return;
    if (element >= FirstElement && element < FirstElement + ElementCount) {
        ui->ComboBox2->setCurrentIndex(element - FirstElement);
        ComboBox2Change();
        return;
    }
    ui->StatusBar1->showHint(language_ == kRussian ? RussianElementName(element)
                                                   : EnglishElementName(element),
                             kHintMilliseconds);
}

void TForm1::ColourHexEntered(Colour colour)
{
    swatchColour_ = colour;
    ApplySwatchColour();
}

bool TForm1::ExportPreviewImage(const QString &path)
{
    if (PreviewDisplay::Enlarged(preview_->image(), ui->Image1->zoom()).save(path, "PNG"))
        return true;
    dialogs().reportError(UnableToWriteText(path));
    return false;
}

void TForm1::ExportScreenClick()
{
    const QString path = dialogs().chooseSaveFile(
        ui->ExportPreview1->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
        QStringLiteral("screen-%1.png").arg(SelectedScreen));
    if (!path.isEmpty())
        ExportPreviewImage(PngBase(path) + QStringLiteral(".png"));
}

// NAME.png becomes NAME-0.png .. NAME-8.png, one per screen row; the window then shows its
// own screen again.
void TForm1::ExportAllScreensClick()
{
    const QString path =
        dialogs().chooseSaveFile(ui->ExportPreview1->menuAction()->iconText(), QString::fromLatin1(kPngFilter),
                                 QStringLiteral("screen.png"));
    if (path.isEmpty())
        return;
    const QString base = PngBase(path);
    for (int screen = 0; screen < kScreenCount; ++screen) {
        preview_->RepaintPreview(screen);
        if (!ExportPreviewImage(base + QStringLiteral("-%1.png").arg(screen)))
            break;
    }
    RepaintPreview(SelectedScreen);
}

bool TForm1::takesDrop(const QDropEvent *event) const
{
    const DroppedFile file = DroppedFile::From(event->mimeData());
    if (file.kind == DroppedFile::Picture) {
        const QPoint onPreview = ui->Image1->mapFrom(this, event->position().toPoint());
        return ui->Image1->rect().contains(onPreview);
    }
    return file.kind == DroppedFile::Scheme;
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    // A picture may still be carried onto the preview.
    if (DroppedFile::From(event->mimeData()).kind != DroppedFile::None)
        event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent *event)
{
    if (takesDrop(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent *event)
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

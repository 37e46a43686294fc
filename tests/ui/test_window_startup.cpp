#include "windowfixture.h"

#include "phone/connectionstate.h"
#include "preview/previewpictures.h"
#include "scheme/catalogue.h"
#include "settings/settings.h"
#include "ui/statusbar.h"
#include "ui/wording.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QCoreApplication>
#include <QMenuBar>
#include <QToolButton>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QSpinBox>

#include <cerrno>

namespace tintora::test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, WithoutSettingsOrArgumentsShowsTheDefaultSchemeInRussian)
{
    start();
    EXPECT_EQ(mainWindow->languageCode(), "ru");
    EXPECT_TRUE(child<QAction>("russianAction")->isChecked());
    EXPECT_FALSE(child<QAction>("englishAction")->isChecked());
    EXPECT_EQ(Shown(child<QMenu>("fileMenu")->title()), QString::fromUtf8("Файл"));
    EXPECT_EQ(child<QListWidget>("screenList")->item(0)->text(), QString::fromUtf8("Основной экран"));
    EXPECT_EQ(Shown(child<QAction>("connectAction")->text()), QString::fromUtf8("Подключить"));
    EXPECT_EQ(child<StatusBar>("statusBar")->panelText(),
              QString::fromUtf8("Статус : Работа с компьютером"));

    EXPECT_EQ(shownTitle(), "Tintora");
    EXPECT_TRUE(mainWindow->scheme().name.isEmpty());
    EXPECT_EQ(mainWindow->scheme().entry(22).colour, 0x004080FFu);
    EXPECT_EQ(child<QListWidget>("screenList")->currentRow(), 0);
    EXPECT_EQ(child<QComboBox>("elementCombo")->count(), 12);
    EXPECT_EQ(mainWindow->editing().selectedElement(), 1);
    EXPECT_EQ(ColourOf(swatchFill()), 0x00C0C0C0u);
    EXPECT_EQ(child<QSlider>("transparencySlider")->value(), 0);
    EXPECT_EQ(child<QComboBox>("screenSizeCombo")->currentText(), QString::fromUtf8("128х128"));

    EXPECT_EQ(mainWindow->phoneCommands().connection().workMode, WorkMode::Computer);
    EXPECT_EQ(phone.initArguments, std::vector<int>{0});
    EXPECT_EQ(phone.otherCalls, 0);
    EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
    EXPECT_TRUE(dialogs.informed.isEmpty());
    // Start-up only reads the settings; the font file is unpacked where it was told.
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
    EXPECT_TRUE(QFileInfo::exists(fontPath()));
}

TEST_F(StartupTest, WindowHasItsFixedGeometry)
{
    start();
    mainWindow->show();
    const int menuHeight = mainWindow->menuBar()->height();
    EXPECT_EQ(mainWindow->width(), 422);
    EXPECT_EQ(mainWindow->height(), menuHeight + 522);
    EXPECT_EQ(mainWindow->minimumSize(), mainWindow->maximumSize());
    EXPECT_FALSE(mainWindow->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(child<QLabel>("previewDisplay")->geometry(), QRect(24, 56, 128, 128));
    EXPECT_EQ(child<QListWidget>("screenList")->geometry(), QRect(216, 56, 193, 185));
    EXPECT_EQ(child<QListWidget>("screenList")->sizeHintForRow(3), 20);
    EXPECT_EQ(child<QLineEdit>("schemeNameEdit")->maxLength(), 14);
    QSlider *slider = child<QSlider>("transparencySlider");
    EXPECT_EQ(slider->tickPosition(), QSlider::TicksBothSides);
    QStyleOptionSlider thumb;
    thumb.initFrom(slider);
    thumb.orientation = slider->orientation();
    thumb.minimum = slider->minimum();
    thumb.maximum = slider->maximum();
    thumb.tickPosition = slider->tickPosition();
    EXPECT_EQ(slider->style()
                  ->subControlRect(QStyle::CC_Slider, &thumb, QStyle::SC_SliderHandle, slider)
                  .width(),
              10);
    EXPECT_FALSE(child<QComboBox>("screenSizeCombo")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("clearBackgroundButton")->isEnabled());
    EXPECT_FALSE(child<QAction>("hexEditorAction")->isEnabled());
    EXPECT_FALSE(child<QAction>("helpContentsAction")->isEnabled());
    EXPECT_FALSE(child<QAction>("connectAction")->isEnabled());
    EXPECT_TRUE(child<QAction>("connectAction")->font().bold());
    EXPECT_EQ(child<StatusBar>("statusBar")->height(), 24);
}

TEST_F(StartupTest, EnglishOnlyWhenStoredExactly)
{
    writeIni("[Options]\nLanguage=english\n");
    start();
    EXPECT_EQ(mainWindow->languageCode(), "ru");
    stop();

    writeIni("[Options]\nLanguage=English\n");
    start();
    EXPECT_EQ(mainWindow->languageCode(), "en");
    EXPECT_TRUE(child<QAction>("englishAction")->isChecked());
    EXPECT_EQ(Shown(child<QMenu>("fileMenu")->title()), "File");
    EXPECT_EQ(child<QPushButton>("openButton")->text(), "Open spcolor.sch");
    EXPECT_EQ(child<QListWidget>("screenList")->item(8)->text(), "Others...");
    EXPECT_EQ(child<QComboBox>("elementCombo")->itemText(0), EnglishElementName(1));
}

TEST_F(StartupTest, SchemeNamedOnTheCommandLineIsLoadedAndBecomesTheSaveTarget)
{
    const QString path = writeScheme("mine.sch", "ABC", [](ColourScheme &scheme) {
        scheme.entry(1).colour = 0x00112233;
        scheme.entry(1).transparency = 5;
    });
    start({path});
    EXPECT_EQ(child<QLineEdit>("schemeNameEdit")->text(), "ABC");
    EXPECT_EQ(shownTitle(), "Tintora - [ABC]");
    EXPECT_EQ(mainWindow->currentFilePath(), path);
    EXPECT_EQ(ColourOf(swatchFill()), 0x00112233u);
    EXPECT_EQ(child<QSpinBox>("transparencySpin")->value(), 5);
}

TEST_F(StartupTest, MissingFileLeavesTheBlackSchemeAndStaysTheSaveTarget)
{
    const QString path = folder.filePath(QStringLiteral("new.sch"));
    start({path});
    EXPECT_TRUE(dialogs.informed.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(mainWindow->currentFilePath(), path);
    EXPECT_EQ(shownTitle(), "Tintora");
    for (int element = 1; element <= kElementCount; ++element)
        EXPECT_EQ(mainWindow->scheme().entry(element), SchemeEntry{}) << element;
}

// A file that is there but gave no scheme, once reported, is as if none had been named: the
// all-zero scheme the window starts from would save as a black one.
TEST_F(StartupTest, RefusedFileIsReportedThenTheDefaultSchemeWithoutASaveTarget)
{
    struct Case {
        const char *name;
        bool folder;
        QStringList informed;  // a file that is no scheme says so in a box, the others in the status bar
    };
    const Case cases[] = {
        {"letter.txt", false, {NotSchemeText()}},
        {"folder.sch", true, {}},
    };
    writeIni("[Options]\nLanguage=English\n");
    ColourScheme standard;
    BuildDefaultScheme(standard);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        if (c.folder) {
            ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromLatin1(c.name)));
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("Dear colleagues, this is not a colour scheme.");
        }
        dialogs.informed.clear();
        start({path});
        EXPECT_EQ(dialogs.informed, c.informed);
        EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
        EXPECT_EQ(mainWindow->scheme(), standard);
        EXPECT_EQ(ColourOf(swatchFill()), standard.entry(1).colour);
        EXPECT_EQ(shownTitle(), "Tintora");
        stop();
    }
}

TEST_F(StartupTest, DamagedSettingsFileGivesTheDefaults)
{
    QByteArray junk = QByteArrayLiteral("\xFF\xFE[Options\n=\n[[[\nLanguage\nClockFormat=one\n");
    junk.append(QByteArray(200000, 'x'));
    writeIni(junk);
    start();
    EXPECT_EQ(mainWindow->languageCode(), "ru");
    EXPECT_EQ(mainWindow->settings().preview.ClockFormat, 0);
    EXPECT_EQ(mainWindow->settings().preview.ProviderName, "BEE LINE");
}

TEST_F(StartupTest, SettingsFileOverAMegabyteGivesTheDefaultsANoteAndIsNeverRewritten)
{
    const QByteArray big = "[Options]\nLanguage=English\nClockFormat=1\n" + QByteArray(1 << 20, '#');
    writeIni(big);
    start();
    EXPECT_EQ(mainWindow->languageCode(), "ru");
    EXPECT_EQ(mainWindow->settings().preview.ClockFormat, 0);
    auto *bar = child<StatusBar>("statusBar");
    EXPECT_EQ(bar->currentMessage(), SettingsFileTooLargeText(iniPath()));
    EXPECT_TRUE(dialogs.errors.isEmpty());

    child<QAction>("englishAction")->trigger();
    // In the interface's language, with the system's reason.
    EXPECT_EQ(dialogs.errors, QStringList({UnableToWriteText(iniPath(), qt_error_string(EFBIG))}));
    // The next status replaces the note.
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_EQ(bar->panelText(), "Status : Work with a computer");
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), big);
}

// Catches a stored phone folder that the Phone folder item would refuse being used, or left
// aside without a word, or its note hidden by the scheme file's.
TEST_F(StartupTest, RefusedPhoneFolderIsNotedAndTheDefaultUsed)
{
    writeIni("[Phone]\nSpColorPath=mobile/\n");
    const QString path = folder.filePath(QStringLiteral("short.sch"));
    {
        ColourScheme scheme;
        BuildDefaultScheme(scheme);
        const SchemeImage image = EncodeScheme(scheme);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(image.data()), 100);
    }
    start({path});
    EXPECT_EQ(mainWindow->settings().SpColorPath, "/a/mobile/system/");
    EXPECT_EQ(child<StatusBar>("statusBar")->currentMessage(),
              QStringLiteral("Папка «mobile/» не годится: она должна начинаться с тома, например /a/, "
                             "и содержать только печатные знаки ASCII ([Phone] SpColorPath в ") +
                  QDir::toNativeSeparators(iniPath()) +
                  QStringLiteral("); папка на телефоне — /a/mobile/system/. ") +
                  ShortSchemeText(QStringLiteral("short.sch"), 100));
    EXPECT_TRUE(dialogs.informed.isEmpty());
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(readIni("Phone", "SpColorPath"), "mobile/") << "start-up writes nothing";
}

TEST_F(StartupTest, UnwritableFontFolderStillStarts)
{
    MainWindowEnvironment environment;
    environment.dialogs = &dialogs;
    environment.clock = &clock;
    environment.phone = &phone;
    environment.settingsPath = iniPath();
    environment.fontFilePath = folder.filePath(QStringLiteral("missing/1stSortie.ttf"));
    MainWindow window(environment);
    EXPECT_EQ(window.editing().selectedElement(), 1);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(StartupTest, StatusIconFollowsTheWorkMode)
{
    start();
    auto *bar = child<StatusBar>("statusBar");
    bar->resize(422, 24);
    const PreviewPictures pictures = LoadPreviewPictures();
    ASSERT_FALSE(pictures.phoneModeIcon.isNull());

    // The icon's black background shows the bar; its other pixels are drawn at (5, 5).
    auto iconShown = [&](const QImage &icon) {
        const QImage grabbed = bar->grab().toImage();
        const QRgb face = bar->palette().color(QPalette::Button).rgb();
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb source = icon.pixel(x, y);
                const QRgb expected = (source & 0xFFFFFF) == 0 ? face : source;
                if ((grabbed.pixel(5 + x, 5 + y) & 0xFFFFFF) != (expected & 0xFFFFFF))
                    return false;
            }
        }
        return true;
    };
    EXPECT_TRUE(iconShown(pictures.computerModeIcon));

    mainWindow->phoneCommands().connection().workMode = WorkMode::Phone;
    mainWindow->applyLanguage();
    EXPECT_TRUE(iconShown(pictures.phoneModeIcon));
    EXPECT_FALSE(iconShown(pictures.computerModeIcon));
}

TEST_F(StartupTest, ConnectCommandStandsBoldOnTheMenuBar)
{
    start();
    mainWindow->show();
    QMenuBar *bar = mainWindow->menuBar();
    QAction *connect = child<QAction>("connectAction");
    // Pixels of the item that differ from its corner, the bar's background.
    auto ink = [&] {
        const QImage item = bar->grab(bar->actionGeometry(connect)).toImage();
        int count = 0;
        for (int y = 0; y < item.height(); ++y) {
            for (int x = 0; x < item.width(); ++x)
                count += item.pixel(x, y) != item.pixel(0, 0);
        }
        return count;
    };
    const int bold = ink();
    QFont regular = connect->font();
    regular.setBold(false);
    connect->setFont(regular);
    EXPECT_GT(bold, ink());
}

// The window's width is fixed: a command pushed behind the bar's extension button would be
// out of sight, so every command must fit in both languages.
TEST_F(StartupTest, EveryMenuBarCommandFitsTheBar)
{
    start();
    mainWindow->show();
    QMenuBar *bar = mainWindow->menuBar();
    auto *extension = bar->findChild<QToolButton *>("qt_menubar_ext_button");
    ASSERT_NE(extension, nullptr);
    for (QAction *language : {child<QAction>("russianAction"), child<QAction>("englishAction")}) {
        mainWindow->chooseLanguage(language);
        QCoreApplication::processEvents();
        EXPECT_FALSE(extension->isVisible()) << language->objectName().toStdString();
        for (QAction *action : bar->actions()) {
            const QRect place = bar->actionGeometry(action);
            EXPECT_TRUE(bar->rect().contains(place))
                << action->text().toStdString() << " at " << place.x() << "+" << place.width();
        }
    }
}

class LanguageTest : public WindowTest {};

TEST_F(LanguageTest, SwitchingKeepsTheSelectionAndWritesTheSettingAtOnce)
{
    start();
    child<QListWidget>("screenList")->setCurrentRow(2);
    auto *elements = child<QComboBox>("elementCombo");
    elements->setCurrentIndex(3);
    emit elements->activated(3);

    child<QAction>("englishAction")->trigger();
    EXPECT_EQ(mainWindow->languageCode(), "en");
    EXPECT_EQ(child<QListWidget>("screenList")->currentRow(), 2);
    EXPECT_EQ(child<QListWidget>("screenList")->item(2)->text(), "Select menu item");
    EXPECT_EQ(elements->currentIndex(), 3);
    EXPECT_EQ(elements->currentText(), EnglishElementName(21));
    EXPECT_EQ(readIni("Options", "Language"), "English");
    EXPECT_EQ(aboutDialog->windowTitle(), "About");

    child<QAction>("russianAction")->trigger();
    EXPECT_EQ(elements->currentText(), "Выбранный пункт меню (верх)");
    EXPECT_EQ(readIni("Options", "Language"), "Russian");
    EXPECT_TRUE(child<QAction>("russianAction")->isChecked());
    EXPECT_FALSE(child<QAction>("englishAction")->isChecked());
}

TEST_F(LanguageTest, PhoneModeCaptions)
{
    start();
    mainWindow->phoneCommands().connection().workMode = WorkMode::Phone;
    child<QAction>("englishAction")->trigger();
    EXPECT_EQ(Shown(child<QAction>("connectAction")->text()), "Disconnect");
    EXPECT_EQ(child<StatusBar>("statusBar")->panelText(), "Status : Work with phone");
    EXPECT_EQ(child<QPushButton>("openButton")->text(), "Read spcolor.sch");
    EXPECT_EQ(child<QPushButton>("saveButton")->text(), "Write spcolor.sch");
    EXPECT_EQ(Shown(child<QAction>("openAction")->text()), "Read spcolor.sch");
    EXPECT_EQ(Shown(child<QAction>("saveAction")->text()), "Write spcolor.sch");

    child<QAction>("russianAction")->trigger();
    EXPECT_EQ(Shown(child<QAction>("openAction")->text()), QString::fromUtf8("Читать spcolor.sch..."));
    EXPECT_EQ(Shown(child<QAction>("connectAction")->text()), QString::fromUtf8("Отключить"));
}

TEST_F(LanguageTest, FailedWriteIsReportedAndTheLanguageStays)
{
    // A folder where the file should be: no file can be written there, even as root.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("tintora.ini")));
    start();
    child<QAction>("englishAction")->trigger();
    EXPECT_EQ(dialogs.errors,
              QStringList({UnableToWriteText(iniPath(), qt_error_string(EISDIR))}));
    EXPECT_EQ(mainWindow->languageCode(), "en");
    EXPECT_EQ(Shown(child<QMenu>("fileMenu")->title()), "File");
}

}  // namespace
}  // namespace tintora::test

#include "windowfixture.h"
#include "windowphoneinmemory.h"

#include "ui/wording.h"
#include "ui/statusbar.h"

#include <QAction>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QToolTip>

#include <cstring>

namespace tintora::test {
namespace {

class PhoneWindowTest : public WindowTest {
protected:
    PhoneInMemory handset;

    void startWithHandset()
    {
        phoneInUse = &handset;
        start();
    }

    QAction *connect() const { return child<QAction>("connectAction"); }

    void tick() { mainWindow->phoneCommands().pollPhone(); }
};

TEST_F(PhoneWindowTest, PollEnablesConnectAndTheCommandSwitchesModeCaptionsAndBack)
{
    startWithHandset();
    EXPECT_FALSE(connect()->isEnabled());

    handset.status = 1;
    tick();
    ASSERT_TRUE(connect()->isEnabled());
    mainWindow->phoneCommands().toggleConnection();
    EXPECT_EQ(mainWindow->phoneCommands().connection().workMode, WorkMode::Phone);
    EXPECT_EQ(Shown(connect()->text()), QString::fromUtf8("Отключить"));
    EXPECT_EQ(child<QPushButton>("openButton")->text(), QString::fromUtf8("Читать spcolor.sch"));
    EXPECT_EQ(child<QPushButton>("saveButton")->text(), QString::fromUtf8("Записать spcolor.sch"));

    mainWindow->phoneCommands().toggleConnection();
    EXPECT_EQ(mainWindow->phoneCommands().connection().workMode, WorkMode::Computer);
    EXPECT_EQ(Shown(connect()->text()), QString::fromUtf8("Подключить"));
    EXPECT_TRUE(connect()->isEnabled());
}

// A phone gone while connected is shown as gone: the computer's captions and
// icon, no Disconnect offered, and a note saying why.
TEST_F(PhoneWindowTest, APhoneGoneWhileConnectedEndsPhoneMode)
{
    startWithHandset();
    handset.status = 1;
    tick();
    mainWindow->phoneCommands().toggleConnection();
    ASSERT_EQ(mainWindow->phoneCommands().connection().workMode, WorkMode::Phone);

    handset.status = 0;
    handset.reason = 3;
    tick();
    EXPECT_EQ(mainWindow->phoneCommands().connection().workMode, WorkMode::Computer);
    EXPECT_FALSE(connect()->isEnabled());
    EXPECT_EQ(Shown(connect()->text()), QString::fromUtf8("Подключить"));
    EXPECT_EQ(child<QPushButton>("saveButton")->text(), QString::fromUtf8("Сохранить spcolor.sch"));
    auto *bar = child<StatusBar>("statusBar");
    EXPECT_EQ(bar->panelText(), QString::fromUtf8("Статус : Работа с компьютером"));
    EXPECT_EQ(bar->currentMessage(), PhoneGoneText(3));
    EXPECT_TRUE(bar->currentMessage().contains(NoPhoneReason(3)));
    EXPECT_EQ(connect()->toolTip(), NoPhoneReason(3));
}

// Connect disabled says why, in the tooltip and, unless a note of the file is
// there, in the status bar; a phone that comes takes the reason away.
TEST_F(PhoneWindowTest, DisabledConnectSaysWhyThereIsNoPhone)
{
    startWithHandset();
    handset.reason = 4;
    tick();
    ASSERT_FALSE(connect()->isEnabled());
    EXPECT_EQ(connect()->toolTip(), NoPhoneReason(4));
    auto *bar = child<QStatusBar>("statusBar");
    EXPECT_EQ(bar->currentMessage(), NoPhoneReason(4));

    bar->showMessage("a note of the file");
    handset.reason = 0;
    tick();
    EXPECT_EQ(connect()->toolTip(), NoPhoneReason(0));
    EXPECT_EQ(bar->currentMessage(), "a note of the file");

    handset.status = 1;
    tick();
    EXPECT_TRUE(connect()->isEnabled());
    EXPECT_NE(connect()->toolTip(), NoPhoneReason(0));
}

// The phone's state is a widget of its own in the status bar: neither a note nor a menu item's
// status tip hides it, a click tells the reason and what to do, and it follows the language.
TEST_F(PhoneWindowTest, ThePhoneStateStaysInTheStatusBarAndExplainsItself)
{
    startWithHandset();
    // The status bar hides only widgets that are shown.
    mainWindow->show();
    handset.reason = 4;
    tick();
    auto *state = child<QToolButton>("phoneStateButton");
    auto *bar = child<StatusBar>("statusBar");
    EXPECT_EQ(state->text(), QString::fromUtf8("Нет доступа к телефону"));
    EXPECT_EQ(state->toolTip(), NoPhoneReason(4));
    EXPECT_EQ(connect()->statusTip(), NoPhoneReason(4));
    // The disabled Connect on the menu bar tells why when the pointer rests on it.
    auto *menuBar = child<QMenuBar>("mainMenu");
    const QPoint onConnect = menuBar->actionGeometry(connect()).center();
    QHelpEvent rest(QEvent::ToolTip, onConnect, menuBar->mapToGlobal(onConnect));
    QApplication::sendEvent(menuBar, &rest);
    EXPECT_EQ(QToolTip::text(), NoPhoneReason(4));
    QToolTip::hideText();

    bar->showMessage("a note of the file");
    EXPECT_TRUE(state->isVisible());
    // The pointer over a menu item puts its status tip where the note was.
    connect()->showStatusText(mainWindow.get());
    EXPECT_EQ(bar->currentMessage(), NoPhoneReason(4));
    EXPECT_TRUE(state->isVisible());
    EXPECT_EQ(state->text(), QString::fromUtf8("Нет доступа к телефону"));

    dialogs.informed.clear();
    state->click();
    ASSERT_EQ(dialogs.informed.size(), 1);
    EXPECT_TRUE(dialogs.informed[0].startsWith(NoPhoneReason(4))) << dialogs.informed[0].toStdString();

    mainWindow->chooseLanguage(child<QAction>("englishAction"));
    EXPECT_EQ(state->text(), "Phone not allowed");
    EXPECT_EQ(state->toolTip(), NoPhoneReason(4));
    handset.status = 1;
    handset.reason = 1;
    tick();
    EXPECT_EQ(state->text(), "Phone ready");
    mainWindow->phoneCommands().toggleConnection();
    EXPECT_EQ(state->text(), "Phone connected");
}

TEST_F(PhoneWindowTest, ReadingFromThePhoneResetsTheViewToTheLoadedScheme)
{
    ColourScheme onPhone;
    BuildDefaultScheme(onPhone);
    onPhone.name = "ZEBRA";
    onPhone.entry(1).colour = 0x123456;
    onPhone.entry(1).transparency = 4;
    const SchemeImage image = EncodeScheme(onPhone);
    handset.file = QByteArray(reinterpret_cast<const char *>(image.data()), image.size());

    startWithHandset();
    handset.status = 1;
    tick();
    mainWindow->phoneCommands().toggleConnection();
    child<QListWidget>("screenList")->setCurrentRow(5);
    ASSERT_EQ(mainWindow->editing().selectedScreen(), 5);

    mainWindow->files().openScheme();
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x123456u);
    EXPECT_EQ(mainWindow->editing().selectedScreen(), 0);
    EXPECT_EQ(child<QListWidget>("screenList")->currentRow(), 0);
    EXPECT_EQ(child<QComboBox>("elementCombo")->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>("schemeNameEdit")->text(), "ZEBRA");
    EXPECT_EQ(shownTitle(), "Tintora - [ZEBRA]");
    EXPECT_EQ(ColourOf(swatchFill()), 0x123456u);
    // The preview shows the loaded background colour of the main screen.
    EXPECT_EQ(ColourOf(shownPreview().pixel(64, 50)), 0x123456u);
    EXPECT_TRUE(dialogs.informed.isEmpty());
}

TEST_F(PhoneWindowTest, SavingToANewComputerFileAsksOnceAndShowsTheStoredName)
{
    startWithHandset();
    mainWindow->scheme().name.clear();
    child<QLineEdit>("schemeNameEdit")->clear();
    const QString target = folder.filePath(QStringLiteral("mine.sch"));
    dialogs.saveFileAnswers << target;

    mainWindow->files().saveScheme();
    ASSERT_EQ(dialogs.fileTitles, QStringList{QString::fromUtf8("Сохранить spcolor.sch")});
    EXPECT_EQ(mainWindow->currentFilePath(), target);
    EXPECT_EQ(child<QLineEdit>("schemeNameEdit")->text(), "STYLE");
    EXPECT_EQ(shownTitle(), "Tintora - [STYLE]");
    ASSERT_EQ(dialogs.informed.size(), 1);
    EXPECT_TRUE(dialogs.informed.first().endsWith(target));

    // The second Save goes to the same file without a dialog.
    mainWindow->scheme().entry(2).colour = 0x00FF00;
    mainWindow->files().saveScheme();
    EXPECT_EQ(dialogs.fileTitles.size(), 1);
    ColourScheme reread;
    ASSERT_EQ(LoadSchemeFile(reread, target).outcome, LoadOutcome::Loaded);
    EXPECT_EQ(reread.entry(2).colour, 0x00FF00u);
    EXPECT_EQ(reread.name, "STYLE");
}

TEST_F(PhoneWindowTest, OpeningAComputerFileLoadsItAndMakesItTheSaveTarget)
{
    const QString path = writeScheme("other.sch", "OTHER", [](ColourScheme &scheme) {
        scheme.entry(13).colour = 0x0000FF;
    });
    startWithHandset();
    child<QListWidget>("screenList")->setCurrentRow(1);
    dialogs.openAnswers << path;

    mainWindow->files().openScheme();
    EXPECT_EQ(mainWindow->scheme().entry(13).colour, 0x0000FFu);
    EXPECT_EQ(mainWindow->currentFilePath(), path);
    EXPECT_EQ(mainWindow->editing().selectedScreen(), 0);
    EXPECT_EQ(shownTitle(), "Tintora - [OTHER]");
}

TEST_F(PhoneWindowTest, ActivationOnThePhoneReportsAndOffersARestart)
{
    startWithHandset();
    handset.status = 1;
    tick();
    mainWindow->phoneCommands().toggleConnection();
    dialogs.yesNoAnswers.push_back(true);

    mainWindow->phoneCommands().activateScheme();
    EXPECT_EQ(handset.switchByte, 0x40);
    ASSERT_EQ(dialogs.informed.size(), 1);
    EXPECT_TRUE(dialogs.informed.first().endsWith(
        QString::fromUtf8("Пользовательские цветовые палитры успешно активированы")));
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(handset.restarts, 1);
}

}  // namespace
}  // namespace tintora::test

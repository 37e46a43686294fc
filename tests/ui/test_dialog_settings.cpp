#include "windowfixture.h"
#include "windowinput.h"

#include "ui/wording.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <functional>

#include <cerrno>

namespace tintora::test {
namespace {

// Opens Configuration > Settings..., lets the test look at and change the open dialog,
// then closes it the way the test says.
class SettingsDialogTest : public WindowTest {
protected:
    template <typename T>
    T *dialogChild(const char *name) const
    {
        T *found = settingsDialog->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    bool checked(const char *item) const { return dialogChild<QRadioButton>(item)->isChecked(); }
    QDate shownDate() const { return dialogChild<QDateEdit>("datePicker")->date(); }

    void runDialog(const std::function<void()> &whileOpen, const std::function<void()> &close)
    {
        bool wasOpen = false;
        QTimer::singleShot(0, settingsDialog.get(), [&] {
            wasOpen = settingsDialog->isVisible();
            whileOpen();
            close();
        });
        child<QAction>("previewSettingsAction")->trigger();
        EXPECT_TRUE(wasOpen);
    }
    void pressOk() { Click(dialogChild<QPushButton>("okButton")); }
    void pressCancel() { Click(dialogChild<QPushButton>("cancelButton")); }
};

TEST_F(SettingsDialogTest, FirstOpeningWithoutSettingsShowsDefaultsAndCancelCreatesTheFile)
{
    start();
    runDialog(
        [&] {
            EXPECT_EQ(dialogChild<QLineEdit>("providerNameEdit")->text(), "BEE LINE");
            EXPECT_TRUE(checked("analogueClockRadio"));
            EXPECT_TRUE(checked("dayMonthNameRadio"));
            EXPECT_TRUE(checked("noKeyRadio"));
            EXPECT_EQ(shownDate(), QDate(2024, 4, 1));
            EXPECT_EQ(settingsDialog->windowTitle(), QString::fromUtf8("Настройки"));
            EXPECT_FALSE(dialogChild<QGroupBox>("datebookViewBox")->isEnabled());
            EXPECT_TRUE(checked("monthViewRadio"));
        },
        [&] { pressCancel(); });
    EXPECT_EQ(readIni("Options", "ProviderName"), "BEE LINE");
    EXPECT_EQ(readIni("Options", "ClockFormat"), "0");
    EXPECT_EQ(readIni("Options", "DateFormat"), "2");
    EXPECT_EQ(readIni("Options", "PressedSoftKey"), "3");
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "1");
}

TEST_F(SettingsDialogTest, PickerOffersOnlyTheMonthOfStartUp)
{
    start();
    auto *picker = dialogChild<QDateEdit>("datePicker");
    EXPECT_EQ(picker->minimumDate(), QDate(2024, 4, 1));
    EXPECT_EQ(picker->maximumDate(), QDate(2024, 4, 30));
}

TEST_F(SettingsDialogTest, DayBeyondTheMonthOpensOnTheFirstAndCancelStoresIt)
{
    writeIni("[Options]\nChoosedDate=31\n");
    start();
    runDialog([&] { EXPECT_EQ(shownDate(), QDate(2024, 4, 1)); }, [&] { pressCancel(); });
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "1");
}

TEST_F(SettingsDialogTest, StoredZeroOpensOnTheFirst)
{
    writeIni("[Options]\nChoosedDate=0\n");
    start();
    runDialog([&] { EXPECT_EQ(shownDate(), QDate(2024, 4, 1)); }, [&] { pressCancel(); });
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "1");
}

TEST_F(SettingsDialogTest, IndexBeyondTheItemsSelectsTheLastAndOkStoresIt)
{
    writeIni("[Options]\nClockFormat=7\nDateFormat=-1\nChoosedDate=12\n");
    start();
    runDialog(
        [&] {
            EXPECT_TRUE(checked("digitalClockRadio"));
            for (const char *item : {"monthDayYearRadio", "dayMonthYearRadio", "dayMonthNameRadio",
                                     "noDateRadio"})
                EXPECT_FALSE(checked(item)) << item;
            EXPECT_EQ(shownDate(), QDate(2024, 4, 12));
            dialogChild<QRadioButton>("noDateRadio")->setChecked(true);
        },
        [&] { pressOk(); });
    EXPECT_EQ(readIni("Options", "ClockFormat"), "1");
    EXPECT_EQ(readIni("Options", "DateFormat"), "3");
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "12");
    EXPECT_EQ(mainWindow->settings().preview.ClockFormat, 1);
    EXPECT_EQ(mainWindow->settings().preview.DateFormat, 3);
    EXPECT_EQ(mainWindow->settings().preview.ChoosedDate, 12);
}

TEST_F(SettingsDialogTest, OkTakesTheDialogIntoMemoryAndRepaints)
{
    start();
    const QImage before = shownPreview();
    runDialog(
        [&] {
            dialogChild<QLineEdit>("providerNameEdit")->clear();
            dialogChild<QRadioButton>("digitalClockRadio")->setChecked(true);
            dialogChild<QDateEdit>("datePicker")->setDate(QDate(2024, 4, 20));
        },
        [&] { pressOk(); });
    EXPECT_EQ(readIni("Options", "ProviderName"), "");
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "20");
    EXPECT_TRUE(mainWindow->settings().preview.ProviderName.isEmpty());
    EXPECT_EQ(mainWindow->settings().preview.ClockFormat, 1);
    // The operator name and the clock are gone from the main screen.
    EXPECT_NE(shownPreview(), before);
}

TEST_F(SettingsDialogTest, CancelAndEscapeKeepMemoryButStillWriteIt)
{
    writeIni("[Options]\nProviderName=MTS\nPressedSoftKey=0\n");
    start();
    runDialog([&] { dialogChild<QLineEdit>("providerNameEdit")->setText("ZZZ"); },
              [&] { KeyClick(settingsDialog.get(), Qt::Key_Escape); });
    EXPECT_EQ(mainWindow->settings().preview.ProviderName, "MTS");
    EXPECT_EQ(readIni("Options", "ProviderName"), "MTS");
    EXPECT_EQ(readIni("Options", "PressedSoftKey"), "0");
    EXPECT_EQ(readIni("Options", "DateFormat"), "2");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(SettingsDialogTest, FailedWriteIsReportedAndThePreviewNotRepainted)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("tintora.ini")));
    start();
    const QImage before = shownPreview();
    runDialog([&] { dialogChild<QLineEdit>("providerNameEdit")->setText("XYZ"); }, [&] { pressOk(); });
    // In the interface's language, with the system's reason.
    EXPECT_EQ(dialogs.errors,
              QStringList({UnableToWriteText(iniPath(), qt_error_string(EISDIR))}));
    EXPECT_EQ(mainWindow->settings().preview.ProviderName, "XYZ");
    EXPECT_EQ(shownPreview(), before);
}

TEST_F(SettingsDialogTest, MonthTurnedSinceStartUpKeepsThePickerInItsMonth)
{
    writeIni("[Options]\nChoosedDate=31\n");
    start();
    clock.set(QDateTime(QDate(2024, 5, 2), QTime(8, 0)));
    runDialog([&] { EXPECT_EQ(shownDate(), QDate(2024, 4, 30)); }, [&] { pressCancel(); });
    // Cancel stores the day of the current month the dialog opened with.
    EXPECT_EQ(readIni("Options", "ChoosedDate"), "31");
}

TEST_F(SettingsDialogTest, TextsFollowTheLanguage)
{
    writeIni("[Options]\nLanguage=English\n");
    start();
    runDialog(
        [&] {
            EXPECT_EQ(settingsDialog->windowTitle(), "Settings");
            EXPECT_EQ(dialogChild<QPushButton>("cancelButton")->text(), "Cancel");
            EXPECT_EQ(dialogChild<QRadioButton>("rightSoftKeyRadio")->text(), "Right soft-key");
            EXPECT_EQ(dialogChild<QGroupBox>("datebookBox")->title(), "Datebook");
        },
        [&] { pressCancel(); });
}

TEST_F(SettingsDialogTest, OpensInTheMiddleOfTheScreenWhereverTheWindowIs)
{
    start();
    mainWindow->show();
    mainWindow->move(0, 0);
    QPoint centre;
    runDialog([&] { centre = settingsDialog->frameGeometry().center(); }, [&] { pressCancel(); });
    EXPECT_EQ(settingsDialog->size(), QSize(636, 347));
    EXPECT_EQ(centre, settingsDialog->screen()->availableGeometry().center());
}

// Tab walks the buttons, then the groups in the order OK, Cancel, main screen, preview,
// datebook; inside the main screen group the name, the clock, then the date format.
TEST_F(SettingsDialogTest, TabOrderGoesGroupByGroup)
{
    start();
    auto ancestorIn = [](QWidget *widget, QWidget *parent) {
        while (widget->parentWidget() != parent)
            widget = widget->parentWidget();
        return widget->objectName();
    };
    QStringList controls;
    QStringList insideMainScreen;
    QWidget *const first = dialogChild<QPushButton>("okButton");
    QWidget *widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisibleTo(settingsDialog.get())) {
            const QString control = ancestorIn(widget, settingsDialog.get());
            if (controls.isEmpty() || controls.last() != control)
                controls << control;
            auto *mainScreen = dialogChild<QGroupBox>("mainScreenBox");
            if (mainScreen->isAncestorOf(widget)) {
                const QString inner = ancestorIn(widget, mainScreen);
                if (insideMainScreen.isEmpty() || insideMainScreen.last() != inner)
                    insideMainScreen << inner;
            }
        }
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(controls,
              QStringList({"okButton", "cancelButton", "mainScreenBox", "previewBox", "datebookBox"}));
    EXPECT_EQ(insideMainScreen, QStringList({"providerNameEdit", "clockBox", "dateFormatBox"}));
}

// Catches a phone folder taken without a volume, with letters the phone cannot spell or a
// control character, one that is typed again from scratch after a refusal, and one that
// does not reach tintora.ini or the phone commands. Cancel changes nothing.
TEST_F(WindowTest, PhoneFolderIsShownCheckedAndKept)
{
    writeIni("[Phone]\nSpColorPath=/a/old/\n");
    start();
    const QString refused[] = {QStringLiteral("mobile/system/"), QStringLiteral("/A/x/"),
                               QStringLiteral("/mobile/"), QStringLiteral("/a/темы/"),
                               QStringLiteral("/a/x\ty/"), QStringLiteral(" ")};
    for (const QString &folder : refused)
        dialogs.textAnswers << folder;
    dialogs.textAnswers << QStringLiteral(" /e/themes ");
    child<QAction>("phoneFolderAction")->trigger();
    EXPECT_EQ(dialogs.textTitles.constFirst(), QStringLiteral("Папка на телефоне"));
    QStringList shown{QStringLiteral("/a/old/")};
    for (const QString &folder : refused)
        shown << folder.trimmed();
    EXPECT_EQ(dialogs.textShown, shown);
    ASSERT_EQ(dialogs.informed.size(), qsizetype(std::size(refused)));
    EXPECT_EQ(dialogs.informed.constFirst(),
              QStringLiteral("Папка «mobile/system/» не годится: она должна начинаться с тома, "
                             "например /a/, и содержать только печатные знаки ASCII"));
    EXPECT_EQ(readIni("Phone", "SpColorPath"), "/e/themes");
    EXPECT_EQ(mainWindow->settings().SpColorPath, "/e/themes");

    child<QAction>("englishAction")->trigger();
    child<QAction>("phoneFolderAction")->trigger();  // cancelled
    EXPECT_EQ(dialogs.textTitles.constLast(), QStringLiteral("Phone folder"));
    EXPECT_EQ(dialogs.textShown.constLast(), QStringLiteral("/e/themes"));
    EXPECT_EQ(readIni("Phone", "SpColorPath"), "/e/themes");
}

}  // namespace
}  // namespace tintora::test

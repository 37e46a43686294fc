#include "windowfixture.h"

#include "ui/historykeys.h"
#include "ui/languagetables.h"
#include "ui/previewdisplay.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTest>

#include <set>

namespace tintora::test {
namespace {

// Keys pressed on the shown, active window, through the window system's shortcut handling.
class ShortcutTest : public WindowTest {
protected:
    void press(const QKeySequence &keys) { QTest::keySequence(mainWindow.get(), keys); }
    void makeAChange()
    {
        dialogs.colourAnswers.push_back(QColor(255, 0, 0));
        mainWindow->editing().chooseColour();
    }
};

struct ShortcutCase {
    QKeySequence::StandardKey key;
    const char *action;
};

TEST_F(ShortcutTest, PlatformKeysReachTheirCommands)
{
    startShown();
    const ShortcutCase cases[] = {{QKeySequence::Open, "openAction"},   {QKeySequence::Save, "saveAction"},
                                  {QKeySequence::SaveAs, "saveAsAction"}, {QKeySequence::New, "newAction"},
                                  {QKeySequence::Undo, "undoAction"},   {QKeySequence::Redo, "redoAction"},
                                  {QKeySequence::Quit, "exitAction"}};
    for (const ShortcutCase &c : cases) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(c.key);
        QAction *action = child<QAction>(c.action);
        if (keys.isEmpty()) {
            // Windows has no Quit key (Alt+F4 closes the window); Save As has its usual one.
            if (c.key == QKeySequence::SaveAs) {
                EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
            }
            continue;
        }
        // Undo and Redo need something to undo or redo.
        if (c.key == QKeySequence::Undo)
            makeAChange();
        QSignalSpy triggered(action, &QAction::triggered);
        press(keys.first());
        EXPECT_EQ(triggered.count(), 1) << c.action;
    }
}

TEST_F(ShortcutTest, UndoKeyUndoesTheSchemeEvenInTheNameField)
{
    startShown();
    makeAChange();
    child<QWidget>("schemeNameEdit")->setFocus();
    press(QKeySequence(QKeySequence::Undo));
    EXPECT_FALSE(mainWindow->document().isModified());
}

// Catches a Redo key that only one system has, and a name field that keeps one for itself.
TEST_F(ShortcutTest, CtrlYAndCtrlShiftZRedoOnEverySystemEvenInTheNameField)
{
    startShown();
    for (const char *keys : {"Ctrl+Y", "Ctrl+Shift+Z"}) {
        for (const char *focus : {"elementCombo", "schemeNameEdit"}) {
            makeAChange();
            press(QKeySequence(QKeySequence::Undo));
            ASSERT_FALSE(mainWindow->document().isModified());
            child<QWidget>(focus)->setFocus();
            press(QKeySequence(QString::fromLatin1(keys)));
            EXPECT_TRUE(mainWindow->document().isModified()) << keys << " in " << focus;
            EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x000000FFu) << keys << " in " << focus;
            press(QKeySequence(QKeySequence::Undo));
        }
    }
}

// Catches a Redo key left to the platform's scheme: the offscreen platform the window tests
// run on has Windows' keys, X11 desktops only Ctrl+Shift+Z.
TEST(RedoKeysTest, CtrlYAndCtrlShiftZWhateverThePlatformHas)
{
    const QKeySequence y(Qt::CTRL | Qt::Key_Y), shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
        altBackspace(Qt::ALT | Qt::SHIFT | Qt::Key_Backspace);
    const std::pair<QList<QKeySequence>, QList<QKeySequence>> schemes[] = {
        {{shiftZ}, {shiftZ, y}},
        {{y, altBackspace, shiftZ}, {y, altBackspace, shiftZ}},
        {{}, {y, shiftZ}},
    };
    for (const auto &[platform, expected] : schemes)
        EXPECT_EQ(WithRedoKeysOfEverySystem(platform), expected) << QKeySequence::listToString(platform).toStdString();
}

// Catches zoom keys that do nothing, go past 4x or below 1x, or are not shown beside their
// menu items, and keys at either end that leave the user without a word of why.
TEST_F(ShortcutTest, CtrlPlusMinusAndZeroChangeThePreviewSize)
{
    startShown();
    const auto zoom = [this] { return child<PreviewDisplay>("previewDisplay")->zoom(); };
    const QKeySequence in(Qt::CTRL | Qt::Key_Plus), out(Qt::CTRL | Qt::Key_Minus);
    const QString none, largest = ZoomAtLargestText(4), smallest = ZoomAtSmallestText();
    const std::tuple<QKeySequence, int, QString> steps[] = {
        {in, 2, none}, {QKeySequence(Qt::CTRL | Qt::Key_Equal), 3, none}, {in, 4, none}, {in, 4, largest},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), 4, largest}, {out, 3, none},
        {QKeySequence(Qt::CTRL | Qt::Key_0), 1, none}, {out, 1, smallest}};
    QStatusBar *status = child<QStatusBar>("statusBar");
    for (const auto &[keys, expected, said] : steps) {
        status->clearMessage();
        press(keys);
        EXPECT_EQ(zoom(), expected) << keys.toString().toStdString();
        EXPECT_EQ(status->currentMessage(), said) << keys.toString().toStdString() << " to " << expected;
    }
    EXPECT_TRUE(largest.contains(QStringLiteral("4x")));
    EXPECT_EQ(child<QAction>("zoom1xAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    EXPECT_EQ(child<QAction>("zoomInAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(child<QAction>("zoomOutAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
}

// Catches the key at the largest size that fits a small screen saying nothing, or not why.
TEST_F(ShortcutTest, ZoomKeyAtTheLargestSizeThatFitsSaysTheScreenIsTooSmall)
{
    screenArea = QRect(0, 0, 1366, 728);
    startShown();
    for (const bool russian : {true, false}) {
        mainWindow->chooseLanguage(child<QAction>(russian ? "russianAction" : "englishAction"));
        press(QKeySequence(Qt::CTRL | Qt::Key_Plus));
        press(QKeySequence(Qt::CTRL | Qt::Key_Plus));
        EXPECT_EQ(child<PreviewDisplay>("previewDisplay")->zoom(), 2);
        EXPECT_EQ(child<QStatusBar>("statusBar")->currentMessage(),
                  QString::fromUtf8(russian
                                        ? "Просмотр в 2x: больший размер не поместится на экране"
                                        : "The preview is at 2x: a larger size would not fit the screen"));
        press(QKeySequence(Qt::CTRL | Qt::Key_0));
    }
}

TEST_F(ShortcutTest, AltLetterOpensTheMenuInBothLanguages)
{
    startShown();
    // Alt held around the Cyrillic letter, which QTest's key clicks cannot type.
    const auto ef = Qt::Key(QChar(u'Ф').unicode());
    QTest::keyPress(mainWindow.get(), Qt::Key_Alt, Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Press, mainWindow.get(), ef, QString::fromUtf8("ф"), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, mainWindow.get(), ef, QString::fromUtf8("ф"), Qt::AltModifier);
    EXPECT_TRUE(child<QMenu>("fileMenu")->isVisible());
    child<QMenu>("fileMenu")->close();
    QTest::keyRelease(mainWindow.get(), Qt::Key_Alt);

    mainWindow->chooseLanguage(child<QAction>("englishAction"));
    QTest::keyClick(mainWindow.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(child<QMenu>("editMenu")->isVisible());
    child<QMenu>("editMenu")->close();
    // The open menu took Alt's release; the keyboard's state must not outlive the test.
    QTest::keyRelease(mainWindow.get(), Qt::Key_Alt);
}

// The letters marked for Alt leave the captions as the user reads them until the keyboard
// works the menus.
TEST_F(ShortcutTest, AltLettersShowOnlyWhileTheKeyboardWorksTheMenus)
{
    startShown();
    QMenuBar *bar = child<QMenuBar>("mainMenu");
    QMenu *file = child<QMenu>("fileMenu");
    const QString marked = file->title();
    // Unpremultiplied, so that pixels nothing painted compare equal.
    const auto shot = [bar] { return bar->grab().toImage().convertToFormat(QImage::Format_ARGB32); };
    const QImage withMark = shot();
    file->setTitle(Shown(marked));
    const QImage withoutMark = shot();
    file->setTitle(marked);
    EXPECT_EQ(withMark, withoutMark);

    bar->setFocus(Qt::MenuBarFocusReason);  // as Alt pressed alone leaves it
    EXPECT_NE(shot(), withoutMark);
}

// Every menu's Alt letters, in both languages: one per caption, none twice in a menu, and
// the caption shown is the text without its mark.
TEST_F(ShortcutTest, EveryMenuHasDistinctAltLetters)
{
    start();
    for (QAction *language : {child<QAction>("russianAction"), child<QAction>("englishAction")}) {
        mainWindow->chooseLanguage(language);
        std::vector<QWidget *> menus{child<QMenuBar>("mainMenu")};
        for (QMenu *menu : mainWindow->findChildren<QMenu *>())
            menus.push_back(menu);
        for (QWidget *menu : menus) {
            if (menu->objectName() == "recentFilesMenu")
                continue;  // numbered by the list itself
            std::set<int> letters;
            for (QAction *action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
                ASSERT_FALSE(mnemonic.isEmpty()) << action->text().toStdString();
                EXPECT_TRUE(letters.insert(mnemonic[0].toCombined()).second)
                    << menu->objectName().toStdString() << ": " << action->text().toStdString();
                EXPECT_EQ(action->text().count(QLatin1Char('&')), 1);
            }
        }
    }
    // The Parts' captions themselves are unchanged.
    EXPECT_EQ(Shown(child<QMenu>("helpMenu")->title()), "Help");
    EXPECT_EQ(Shown(child<QAction>("previewSettingsAction")->text()), "Settings...");
    mainWindow->chooseLanguage(child<QAction>("russianAction"));
    EXPECT_EQ(Shown(child<QMenu>("helpMenu")->title()), QString::fromUtf8("Помощь"));
    EXPECT_EQ(Shown(child<QAction>("loadBackgroundAction")->text()), QString::fromUtf8("Загрузить фоновую картинку"));
}

}  // namespace
}  // namespace tintora::test

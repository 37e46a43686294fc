#include "tests/cli/clirun.h"
#include "tests/ui/windowfixture.h"
#include "tests/ui/windowpicture.h"

#include "ui/contrastpanel.h"
#include "ui/previewdisplay.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

class CliDesignTest : public WindowTest {};

// Fault caught: the window checking other pixels than the saved file gives the command (its
// own settings, background, clock or a stale scheme).
TEST_F(CliDesignTest, TheWindowsCheckEqualsTheCommandsOfTheSavedFile)
{
    writeIni("[Options]\r\nLanguage=English\r\nProviderName=FIELD\r\nClockFormat=1\r\n");
    const QString picture = WriteFieldPicture(folder.filePath("field.jpg"));
    start();
    dialogs.pictureAnswers << picture;
    mainWindow->chooseBackgroundPicture();
    waitForBackground();
    child<QAction>("contrastAction")->trigger();
    // Main text a grey that reads on some screens and not on others.
    child<QComboBox>("elementCombo")->setCurrentIndex(1);
    mainWindow->chooseElement();
    ASSERT_EQ(mainWindow->selectedElement(), 2);
    mainWindow->applyHexColour(0x808080);
    QCoreApplication::processEvents();
    const QStringList rows = child<ContrastPanel>("contrastPanel")->rows();
    EXPECT_FALSE(rows.isEmpty());
    EXPECT_FALSE(child<PreviewDisplay>("previewDisplay")->marks().empty());

    const QString saved = folder.filePath("edited.sch");
    dialogs.saveFileAnswers << saved;
    mainWindow->saveSchemeAs();
    const CliRun check = RunCli({"check", saved, "--background", picture, "--ini", iniPath()});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out.split('\n', Qt::SkipEmptyParts), rows);

    const CliRun json = RunCli({"check", saved, "--background", picture, "--ini", iniPath(), "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()["weak"].toArray().size(), rows.size());
}

// Fault caught: a suggestion spread over several undo steps or shown without its picture,
// "Another suggestion" giving the same scheme again, or a suggestion the window's own check
// finds weak.
TEST_F(CliDesignTest, NewFromPictureIsOneUndoStepShownOverItsPicture)
{
    const QString picture = WriteFieldPicture(folder.filePath("field.jpg"));
    start();
    // A scheme with a text that does not read, so that the panel is seen to change.
    child<QAction>("contrastAction")->trigger();
    child<QComboBox>("elementCombo")->setCurrentIndex(1);
    mainWindow->chooseElement();
    mainWindow->applyHexColour(mainWindow->scheme().entry(1).colour);
    QCoreApplication::processEvents();
    EXPECT_FALSE(child<ContrastPanel>("contrastPanel")->rows().isEmpty());
    const ColourScheme before = mainWindow->scheme();
    QAction *another = child<QAction>("anotherSuggestionAction");
    EXPECT_FALSE(another->isEnabled());
    dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
    dialogs.pictureAnswers << picture;
    child<QAction>("newFromPictureAction")->trigger();
    waitForBackground();
    const ColourScheme first = mainWindow->scheme();
    EXPECT_NE(first, before);
    EXPECT_FALSE(mainWindow->preview().plainBackground());
    EXPECT_TRUE(another->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_EQ(child<ContrastPanel>("contrastPanel")->rows(), QStringList());

    another->trigger();
    const ColourScheme second = mainWindow->scheme();
    EXPECT_NE(second, first);
    QCoreApplication::processEvents();
    EXPECT_EQ(child<ContrastPanel>("contrastPanel")->rows(), QStringList());

    mainWindow->undo();
    EXPECT_EQ(mainWindow->scheme(), first);
    mainWindow->undo();
    EXPECT_EQ(mainWindow->scheme(), before);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// Fault caught: a suggestion written without the picture it was checked against, one variant
// for every N, or a variant number that overflows on the way to its colours.
TEST_F(CliDesignTest, ASuggestedSchemePassesTheCheckWithItsPicture)
{
    const QString picture = WriteFieldPicture(folder.filePath("field.jpg"));
    const QString first = folder.filePath("first.sch"), second = folder.filePath("second.sch");
    ASSERT_EQ(RunCli({"suggest", picture, first}).exitCode, 0);
    ASSERT_EQ(RunCli({"suggest", picture, second, "--variant", "1", "--dark"}).exitCode, 0);
    // The largest variant there is comes round to one of the first ones.
    const QString last = folder.filePath("last.sch");
    ASSERT_EQ(RunCli({"suggest", picture, last, "--variant", "2147483647"}).exitCode, 0);
    for (const QString &scheme : {first, second, last}) {
        const CliRun check = RunCli({"check", scheme, "--background", picture});
        EXPECT_EQ(check.exitCode, 0);
        EXPECT_EQ(check.out, QString());
    }
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_NE(a.readAll(), b.readAll());
}

}  // namespace
}  // namespace tintora::test

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
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_LINUX)
#include <sched.h>
#endif

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
    mainWindow->previewPanel().chooseBackgroundPicture();
    waitForBackground();
    child<QAction>("contrastAction")->trigger();
    // Main text a grey that reads on some screens and not on others.
    child<QComboBox>("elementCombo")->setCurrentIndex(1);
    mainWindow->editing().chooseElement();
    ASSERT_EQ(mainWindow->editing().selectedElement(), 2);
    mainWindow->editing().applyHexColour(0x808080);
    QCoreApplication::processEvents();
    const QStringList rows = child<ContrastPanel>("contrastPanel")->rows();
    EXPECT_FALSE(rows.isEmpty());
    EXPECT_FALSE(child<PreviewDisplay>("previewDisplay")->marks().empty());

    const QString saved = folder.filePath("edited.sch");
    dialogs.saveFileAnswers << saved;
    mainWindow->files().saveSchemeAs();
    const CliRun check = RunCli({"check", saved, "--background", picture, "--ini", iniPath()});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out.split('\n', Qt::SkipEmptyParts), rows);

    const CliRun json = RunCli({"check", saved, "--background", picture, "--ini", iniPath(), "--json"});
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()["weak"].toArray().size(), rows.size());
}

// Fault caught: a suggestion spread over several undo steps or shown without its picture,
// a second choice giving the same scheme again, or a suggestion the window's own check finds
// weak.
TEST_F(CliDesignTest, NewFromPictureIsOneUndoStepShownOverItsPicture)
{
    const QString picture = WriteFieldPicture(folder.filePath("field.jpg"));
    start();
    // A scheme with a text that does not read, so that the panel is seen to change.
    child<QAction>("contrastAction")->trigger();
    child<QComboBox>("elementCombo")->setCurrentIndex(1);
    mainWindow->editing().chooseElement();
    mainWindow->editing().applyHexColour(mainWindow->scheme().entry(1).colour);
    QCoreApplication::processEvents();
    EXPECT_FALSE(child<ContrastPanel>("contrastPanel")->rows().isEmpty());
    const ColourScheme before = mainWindow->scheme();
    const auto suggest = [&](int tile) {
        dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
        dialogs.pictureAnswers << picture;
        child<QAction>("newFromPictureAction")->trigger();
        waitForBackground();
        chooseSuggestion(tile);
        QCoreApplication::processEvents();
        return mainWindow->scheme();
    };
    const ColourScheme first = suggest(0);
    EXPECT_NE(first, before);
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_EQ(child<ContrastPanel>("contrastPanel")->rows(), QStringList());

    const ColourScheme second = suggest(1);
    EXPECT_NE(second, first);
    EXPECT_EQ(child<ContrastPanel>("contrastPanel")->rows(), QStringList());

    mainWindow->editing().undo();
    EXPECT_EQ(mainWindow->scheme(), first);
    mainWindow->editing().undo();
    EXPECT_EQ(mainWindow->scheme(), before);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// Fault caught: a suggestion written without the picture it was checked against, one variant
// for every N, a variant number that overflows on the way to its colours, or weak places
// left unnamed (suggest's own check not the one check --all-states makes).
TEST_F(CliDesignTest, ASuggestedSchemeNamesWhatCheckAllStatesFinds)
{
    const QString picture = WriteFieldPicture(folder.filePath("field.jpg"));
    const QString first = folder.filePath("first.sch"), second = folder.filePath("second.sch");
    const QString last = folder.filePath("last.sch");
    const struct {
        QString out;
        QStringList options;
    } runs[] = {{first, {}}, {second, {"--variant", "1", "--dark"}}, {last, {"--variant", "2147483647"}}};
    for (const auto &run : runs) {
        const CliRun suggest = RunCli(QStringList{"suggest", picture, run.out} + run.options);
        ASSERT_TRUE(suggest.exitCode == 0 || suggest.exitCode == 3) << suggest.err.toStdString();
        const CliRun check = RunCli({"check", run.out, "--background", picture, "--all-states"});
        EXPECT_EQ(check.exitCode, suggest.exitCode == 0 ? 0 : 1);
        EXPECT_EQ(check.out, suggest.err);
    }
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_NE(a.readAll(), b.readAll());
}

// Fault caught: check ending with 1 both for a text below its bound and for a check that
// could not run, so that a script took a mistyped name for a weak scheme.
TEST(CliCheck, ExitsOneForAWeakTextAndTwoWhenItCannotRun)
{
    QTemporaryDir dir;
    const QString weak = dir.filePath("default.sch"), notScheme = dir.filePath("notes.txt");
    ASSERT_EQ(RunCli({"default", weak}).exitCode, 0);
    QFile notes(notScheme);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a scheme at all");
    notes.close();
    const struct {
        QStringList args;
        int status;
    } cases[] = {
        {{"check", weak}, 1},
        {{"check", weak, "--json"}, 1},
        {{"check", dir.filePath("missing.sch")}, 2},
        {{"check", notScheme}, 2},
        {{"check", weak, "--colour"}, 2},
        {{"check", weak, "--ini"}, 2},
        {{"check"}, 2},
        {{"check", weak, weak}, 2},
        {{"check", weak, "--ini", dir.filePath("missing.ini")}, 2},
        {{"check", weak, "--background", notScheme}, 2},
    };
    for (const auto &c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.err.isEmpty(), c.status == 1) << c.args.join(' ').toStdString();
    }
}

#if defined(Q_OS_LINUX)
// Fault caught: libgomp reading OMP_WAIT_POLICY=active (or a GOMP_SPINCOUNT) before main, so
// that the idle editor and tintora-cli spun a core after a suggestion; the environment mended
// only after libgomp had read it; more threads than cores; a program started again and again.
TEST(QuantizerThreads, WaitPassivelyOneACoreWhateverTheEnvironment)
{
    // The processors the programs may run on, as libgomp counts them.
    cpu_set_t set;
    ASSERT_EQ(sched_getaffinity(0, sizeof set, &set), 0);
    const int cores = CPU_COUNT(&set);
    for (const char *program : {TINTORA_CLI_PATH, TINTORA_EDITOR_PATH}) {
        for (const bool asksToSpin : {true, false}) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            // libgomp prints what it read from the environment each time the program starts.
            environment.insert("OMP_DISPLAY_ENV", "verbose");
            if (asksToSpin) {
                environment.insert("OMP_WAIT_POLICY", "active");
                environment.insert("GOMP_SPINCOUNT", "infinite");
                environment.insert("OMP_NUM_THREADS", QString::number(cores * 8));
            } else {
                for (const char *name : {"OMP_WAIT_POLICY", "GOMP_SPINCOUNT", "OMP_NUM_THREADS"})
                    environment.remove(name);
            }
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(program, {"--version"});
            ASSERT_TRUE(process.waitForFinished(60000));
            EXPECT_EQ(process.exitCode(), 0);
            const QString read = QString::fromUtf8(process.readAllStandardError());
            const std::string what = std::string(program) + (asksToSpin ? " asked to spin:\n" : ":\n") + read.toStdString();
            const QString begin = "OPENMP DISPLAY ENVIRONMENT BEGIN";
            EXPECT_EQ(read.count(begin), asksToSpin ? 2 : 1) << what;
            const QString last = read.mid(read.lastIndexOf(begin));
            EXPECT_TRUE(last.contains("OMP_WAIT_POLICY = 'PASSIVE'")) << what;
            EXPECT_TRUE(last.contains(QStringLiteral("OMP_NUM_THREADS = '%1'").arg(cores))) << what;
            if (asksToSpin) {
                EXPECT_TRUE(last.contains("GOMP_SPINCOUNT = '0'")) << what;
            }
        }
    }
}
#endif

}  // namespace
}  // namespace tintora::test

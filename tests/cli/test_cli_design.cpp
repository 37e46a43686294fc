#include "tests/cli/clirun.h"
#include "tests/ui/windowfixture.h"
#include "tests/ui/windowpicture.h"

#include "tests/preview/test_jpegwriter.h"

#include "design/colourmath.h"
#include "design/suggest.h"
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

#include <functional>
#include <random>
#include <set>

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

// Pictures a scheme is suggested from, 128 x 128 as the preview shows them.
QImage MadePicture(const std::function<QRgb(int x, int y, std::mt19937 &random)> &pixel)
{
    QImage picture(128, 128, QImage::Format_RGB32);
    std::mt19937 random(11);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            picture.setPixel(x, y, pixel(x, y, random));
    return picture;
}

int Grain(std::mt19937 &random, int spread)
{
    return int(random() % (2 * spread + 1)) - spread;
}

QRgb Clamped(int r, int g, int b)
{
    return qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

// A colour with grain of its own in each channel. The draws are sequenced, blue first: as
// arguments of one call their order would be the compiler's, and the picture with it.
QRgb Grained(std::mt19937 &random, int r, int g, int b, int spreadR, int spreadG, int spreadB)
{
    const int blue = b + Grain(random, spreadB);
    const int green = g + Grain(random, spreadG);
    const int red = r + Grain(random, spreadR);
    return Clamped(red, green, blue);
}

// The element's colour in dump's JSON of a scheme.
Colour DumpedColour(const QJsonDocument &dump, int element)
{
    const QString hex = dump.object()["entries"].toArray()[element - 1].toObject()["colour"].toString();
    const uint rgb = hex.toUInt(nullptr, 16);
    return Colour(rgb >> 16) | Colour(rgb >> 8 & 0xFF) << 8 | Colour(rgb & 0xFF) << 16;
}

// Fault caught: a suggestion written with a text or highlight below its bound over an
// ordinary picture, or with weak places left unnamed (suggest's own check not the one check
// --all-states makes); --light or --dark not honoured by the main surfaces; the picture's
// main hues lost on the way to the scheme; check silent when every text passes.
TEST_F(CliDesignTest, EveryPictureGivesASchemeInEveryToneThatReadsOrNamesItsWeakPlaces)
{
    const struct {
        const char *name;
        QImage picture;
        // The elements each tone leaves below their bound: AsPicture, --light, --dark. Light
        // texts over a light picture in a dark scheme, with only the outline around them.
        std::array<std::set<int>, 3> weak;
    } pictures[] = {
        {"thirds", MadePicture([](int x, int, std::mt19937 &) {
             return x < 58 ? qRgb(40, 80, 200) : x < 102 ? qRgb(40, 160, 70) : qRgb(230, 210, 160);
         }), {{{}, {}, {2}}}},
        {"gradient", MadePicture([](int x, int y, std::mt19937 &) {
             const int t = (x + y) * 255 / 254;
             return qRgb(20 + t * 220 / 255, 140, 150 - t * 110 / 255);
         }), {}},
        {"noise", MadePicture([](int, int, std::mt19937 &random) {
             return Grained(random, 150, 90, 160, 40, 40, 40);
         }), {}},
        {"night harbour", MadePicture([](int x, int y, std::mt19937 &random) {
             if (y < 70 && (x * 7 + y * 3) % 53 == 0)
                 return qRgb(240, 190, 90);  // a lit window
             if (y < 70)
                 return Clamped(10 + y / 4, 15 + y / 3, 40 + y / 2 + Grain(random, 3));
             return y < 74 ? qRgb(0, 0, 0) : Grained(random, 15, 25, 45, 0, 6, 10);
         }), {}},
        {"beach", MadePicture([](int x, int y, std::mt19937 &random) {
             const bool cloud = std::hypot(x - 40, (y - 20) * 2) < 18 || std::hypot(x - 95, (y - 30) * 2) < 14;
             if (y < 50)
                 return cloud ? qRgb(250, 250, 252) : qRgb(170, 210, 245);
             if (y < 70)
                 return Grained(random, 40, 140, 170, 0, 10, 10);
             return Grained(random, 235, 220, 180, 8, 8, 8);
         }), {{{}, {}, {2}}}},
        {"busy under the clock", MadePicture([](int x, int y, std::mt19937 &random) {
             if (x >= 96 && y >= 76 && y < 112)
                 return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
             return Grained(random, 200, 120, 60, 20, 20, 20);
         }), {}},
    };
    const std::array<const char *, 3> toneOptions = {"", "--light", "--dark"};
    for (const auto &[name, picture, weak] : pictures) {
        const QString jpeg = folder.filePath(QStringLiteral("%1.jpg").arg(name));
        QFile file(jpeg);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteJpeg(picture, {.quality = 100, .hSample = 1, .vSample = 1}));
        file.close();
        // The picture's main hues: those of its palette's colours with a chroma of 15 or
        // more and a fifth of the picture or more, at most the two most used.
        std::vector<double> hues;
        for (const PaletteColour &entry : PicturePalette(picture)) {
            if (hues.size() < 2 && entry.share >= 0.2 && ToLch(entry.colour).C >= 15)
                hues.push_back(ToLch(entry.colour).h);
        }
        for (std::size_t tone = 0; tone < toneOptions.size(); ++tone) {
            const std::string what = std::string(name) + " " + toneOptions[tone];
            const QString out = folder.filePath("suggested.sch");
            QStringList args = {"suggest", jpeg, out};
            if (*toneOptions[tone])
                args << toneOptions[tone];
            const CliRun suggest = RunCli(args);
            ASSERT_TRUE(suggest.exitCode == 0 || suggest.exitCode == 3) << what << suggest.err.toStdString();
            std::set<int> named;
            for (const QString &line : suggest.err.split('\n', Qt::SkipEmptyParts))
                named.insert(line.section(' ', 0, 0).toInt());
            EXPECT_EQ(named, weak[tone]) << what << ":\n" << suggest.err.toStdString();
            EXPECT_EQ(suggest.exitCode, named.empty() ? 0 : 3) << what;
            const CliRun check = RunCli({"check", out, "--background", jpeg, "--all-states"});
            EXPECT_EQ(check.exitCode, suggest.exitCode == 0 ? 0 : 1) << what;
            EXPECT_EQ(check.out, suggest.exitCode == 0
                                     ? QStringLiteral("Every text reads at 4.5:1 or more on 8 screens in 4 states of the phone\n")
                                     : suggest.err)
                << what;

            // The tone said is the tone given: the icon menu's and select menu's backgrounds.
            const QString said = suggest.out.trimmed();
            EXPECT_TRUE(said.startsWith(QStringLiteral("Wrote %1: a ").arg(out))) << what << ": " << said.toStdString();
            const bool dark = said.contains(" a dark scheme ");
            EXPECT_EQ(dark, tone == 2 || (tone == 0 && !said.contains(" a light scheme "))) << what;
            // Written to standard output, the scheme alone goes there and the line to
            // standard error.
            if (tone == 0) {
                const CliRun piped = RunCli({"suggest", jpeg, "-"});
                QFile written(out);
                ASSERT_TRUE(written.open(QIODevice::ReadOnly));
                EXPECT_EQ(piped.out, QString::fromUtf8(written.readAll())) << what;
                EXPECT_TRUE(piped.err.startsWith(QString(said).replace(out, "the scheme to standard output") + '\n'))
                    << what << ": " << piped.err.toStdString();
            }
            const QJsonDocument dump = QJsonDocument::fromJson(RunCli({"dump", out}).out.toUtf8());
            for (const int surface : {13, 18}) {
                const double L = ToLab(DumpedColour(dump, surface)).L;
                EXPECT_TRUE(dark ? L <= 30 : L >= 70) << what << ": element " << surface << " L* " << L;
            }
            // Each main hue comes back in a coloured surface, bar, frame or highlight.
            for (const double hue : hues) {
                double nearest = 180;
                for (const int element : {1, 6, 7, 8, 13, 14, 15, 17, 18, 21, 22, 36}) {
                    const Lch lch = ToLch(DumpedColour(dump, element));
                    if (lch.C >= 8)
                        nearest = std::min(nearest, HueDistance(lch.h, hue));
                }
                EXPECT_LE(nearest, 5) << what << ": hue " << hue;
            }
        }
    }
}

// Fault caught: check ending with 1 both for a text below its bound and for a check that
// could not run, so that a script took a mistyped name for a weak scheme; a check that
// passes saying nothing, or another bound or count of screens than it checked.
TEST(CliCheck, ExitsOneForAWeakTextAndTwoWhenItCannotRun)
{
    QTemporaryDir dir;
    const QString weak = dir.filePath("default.sch"), notScheme = dir.filePath("notes.txt");
    const QString readable = dir.filePath("readable.sch"), grey = dir.filePath("grey.jpg");
    ASSERT_EQ(RunCli({"default", weak}).exitCode, 0);
    QFile picture(grey);
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(WriteJpeg(64, 64, {}, [](int, JSAMPLE *row) { std::fill(row, row + 64 * 3, JSAMPLE(140)); }));
    picture.close();
    ASSERT_EQ(RunCli({"suggest", grey, readable}).exitCode, 0);
    QFile notes(notScheme);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a scheme at all");
    notes.close();
    const struct {
        QStringList args;
        int status;
        QString said = {};  // on standard output when every text passes
    } cases[] = {
        {{"check", readable}, 0, "Every text reads at 4.5:1 or more on 8 screens\n"},
        {{"check", readable, "--all-states", "--background", grey}, 0,
         "Every text reads at 4.5:1 or more on 8 screens in 4 states of the phone\n"},
        {{"check", readable, "--json"}, 0, "{\"weak\": []}\n"},
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
        EXPECT_EQ(run.err.isEmpty(), c.status < 2) << c.args.join(' ').toStdString();
        if (c.status == 0) {
            EXPECT_EQ(run.out, c.said) << c.args.join(' ').toStdString();
        }
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

// tintora-cli's outputs against committed ones: render's pictures for a few cells of the
// preview's golden pictures, through a settings file as a user gives one, and the texts of
// dump, check --json and suggest byte for byte against tests/cli/goldens/. With
// TINTORA_UPDATE_GOLDENS set the texts are written anew (tools/update_goldens.sh).
#include "tests/cli/clirun.h"
#include "tests/preview/goldenpictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

class CliGoldenTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString at(const QString &name) const { return dir.filePath(name); }
    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(at(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
        return file.fileName();
    }
    QString writeScheme(const QString &variant) const
    {
        ColourScheme scheme = GoldenScheme(variant);
        const SchemeImage image = EncodeScheme(scheme);
        return write(variant + QStringLiteral(".sch"),
                     QByteArray(reinterpret_cast<const char *>(image.data()), qsizetype(image.size())));
    }
    QTemporaryDir dir;
};

// Fault caught: the command line painting otherwise than the preview, e.g. settings read
// from the file differently from those the window holds, the background scaled or decoded
// another way, or a screen left with traces of the one painted before it.
TEST_F(CliGoldenTest, RenderPaintsTheGoldenPictures)
{
    const GoldenCell cells[] = {{QStringLiteral("default"), 0, false},
                                {QStringLiteral("vivid"), 1, true},
                                {QStringLiteral("default"), 2, true},
                                {QStringLiteral("vivid"), 3, false}};
    const QString picture = write(QStringLiteral("background.jpg"), GoldenBackgroundJpeg());
    for (const GoldenCell &cell : cells) {
        const GoldenSettings &row = kGoldenSettings[cell.settingsRow];
        QStringList args = {QStringLiteral("render"), QStringLiteral("--scheme"), writeScheme(cell.scheme),
                            QStringLiteral("--ini"), write(row.name + QStringLiteral(".ini"), GoldenIni(row.settings)),
                            QStringLiteral("--now"), row.now, QStringLiteral("--screen"), QStringLiteral("all"),
                            QStringLiteral("--out"), at(QStringLiteral("screens"))};
        if (cell.background)
            args << QStringLiteral("--background") << picture;
        const CliRun run = RunCli(args);
        ASSERT_EQ(run.exitCode, 0) << args.join(' ').toStdString() << '\n' << run.err.toStdString();
        // Others draws nothing of its own, so it is left out.
        for (int screen = 0; screen <= 7; ++screen) {
            const QImage shown(at(QStringLiteral("screens/screen-%1.png").arg(screen)));
            const QString failure = CompareWithGolden(cell, screen, shown, QStringLiteral(TINTORA_CLI_GOLDEN_DIFF_DIR));
            EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
        }
    }
}

// Pictures to suggest schemes from: warm bands of a sunset, and a dark night with a few
// bright windows. Cells of 8 x 8 pixels decode alike whatever libjpeg's version.
QByteArray SuggestionPicture(bool night)
{
    QImage picture(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const int band = y / 8, column = x / 8;
            const QRgb sunset = qRgb(255 - band * 6, 60 + band * 9, 40 + (band + column) % 3 * 20);
            const QRgb sky = (band * 7 + column * 3) % 11 == 0 ? qRgb(250, 220, 120)
                                                               : qRgb(10 + band * 2, 20 + column, 50 + band * 3);
            picture.setPixel(x, y, night ? sky : sunset);
        }
    return WriteJpeg(picture, {.quality = 100, .hSample = 1, .vSample = 1});
}

// Fault caught: any change to what these commands print, be it a key, a value, their order
// or the spacing of the JSON, or a suggestion coloured otherwise.
TEST_F(CliGoldenTest, TextOutputsMatchTheCommittedOnes)
{
    writeScheme(QStringLiteral("default"));
    writeScheme(QStringLiteral("vivid"));
    write(QStringLiteral("background.jpg"), GoldenBackgroundJpeg());
    write(QStringLiteral("sunset.jpg"), SuggestionPicture(false));
    write(QStringLiteral("night.jpg"), SuggestionPicture(true));
    struct Output {
        const char *golden;
        // Commands run in order in the test's folder; the last one's standard output is
        // the one compared.
        QList<QStringList> commands;
        int exitCode;  // of the last command
    };
    const Output outputs[] = {
        {"dump-default.json", {{"dump", "default.sch"}}, 0},
        {"dump-vivid.json", {{"dump", "vivid.sch"}}, 0},
        {"check-default.json", {{"check", "default.sch", "--json"}}, 1},
        {"check-default-background.json", {{"check", "default.sch", "--background", "background.jpg", "--json"}}, 1},
        {"check-vivid.json", {{"check", "vivid.sch", "--json"}}, 1},
        {"check-vivid-background.json", {{"check", "vivid.sch", "--background", "background.jpg", "--json"}}, 1},
        {"suggest-sunset.json", {{"suggest", "sunset.jpg", "sunset.sch"}, {"dump", "sunset.sch"}}, 0},
        {"suggest-night.json", {{"suggest", "night.jpg", "night.sch"}, {"dump", "night.sch"}}, 0},
    };
    const bool update = !qEnvironmentVariableIsEmpty("TINTORA_UPDATE_GOLDENS");
    for (const Output &output : outputs) {
        SCOPED_TRACE(output.golden);
        CliRun run;
        for (const QStringList &command : output.commands) {
            QStringList args;
            // Words with a dot name files in the test's folder.
            for (const QString &word : command)
                args << (word.contains(u'.') ? at(word) : word);
            run = RunCli(args);
            ASSERT_TRUE(run.err.isEmpty()) << args.join(' ').toStdString() << '\n' << run.err.toStdString();
        }
        EXPECT_EQ(run.exitCode, output.exitCode);
        QFile golden(QStringLiteral(TINTORA_CLI_GOLDEN_DIR "/") + output.golden);
        if (update) {
            ASSERT_TRUE(golden.open(QIODevice::WriteOnly)) << golden.fileName().toStdString();
            golden.write(run.out.toUtf8());
            continue;
        }
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly))
            << golden.fileName().toStdString() << " is missing; tools/update_goldens.sh writes it";
        EXPECT_EQ(run.out.toStdString(), golden.readAll().toStdString());
    }
    if (update)
        GTEST_SKIP() << "wrote " << TINTORA_CLI_GOLDEN_DIR;
}

}  // namespace
}  // namespace tintora::test

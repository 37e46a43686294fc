#include "scheme/codepage.h"
#include "scheme/colourscheme.h"
#include "tests/filefaults.h"
#include "tests/preview/test_jpegwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tintora;

namespace {

struct CliRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

CliRun RunCli(const QStringList &args, const QString &folder = {},
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(TINTORA_CLI_PATH, args);
    EXPECT_TRUE(process.waitForFinished(60000)) << "tintora-cli did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

// A short scheme, by its signature, that a command may write over.
const QByteArray kPrevious("\0S\0C\0Hprevious", 14);

class CliSchemeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString at(const QString &name) const { return dir.filePath(name); }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // A document of the default scheme, for the error cases to spoil.
    QJsonObject defaultDocument()
    {
        EXPECT_EQ(RunCli({"default", at("base.sch")}).exitCode, 0);
        const CliRun dump = RunCli({"dump", at("base.sch")});
        EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
        return QJsonDocument::fromJson(dump.out).object();
    }

    // Runs build on a document that breaks a rule; nothing may be written.
    void expectRejected(const QByteArray &json, const QString &rule)
    {
        write(at("bad.json"), json);
        write(at("out.sch"), kPrevious);
        const CliRun run = RunCli({"build", at("bad.json"), at("out.sch")});
        EXPECT_EQ(run.exitCode, 1) << json.left(200).toStdString();
        EXPECT_TRUE(run.err.contains(rule)) << run.err.toStdString();
        EXPECT_EQ(read(at("out.sch")), kPrevious);
    }

    void expectRejected(const QJsonObject &document, const QString &rule)
    {
        expectRejected(QJsonDocument(document).toJson(), rule);
    }

    QTemporaryDir dir;
};

QJsonObject WithEntry(QJsonObject document, int index, const char *key, const QJsonValue &value)
{
    QJsonArray entries = document["entries"].toArray();
    QJsonObject entry = entries[index].toObject();
    entry[key] = value;
    entries[index] = entry;
    document["entries"] = entries;
    return document;
}

}  // namespace

TEST_F(CliSchemeTest, DefaultWritesTheBuiltInScheme)
{
    const CliRun run = RunCli({"default", at("d.sch")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray bytes = read(at("d.sch"));
    ASSERT_EQ(bytes.size(), 304);
    EXPECT_EQ(bytes.left(18), QByteArray("\0S\0C\0H\0\0\0S\0T\0Y\0L\0E", 18));
    EXPECT_EQ(bytes[51], char(0x3F));
    EXPECT_EQ(bytes.mid(52, 4), QByteArray("\xC0\xC0\xC0\x00", 4));   // element 1
    EXPECT_EQ(bytes.mid(284, 4), QByteArray("\xC0\xC0\xC0\x0F", 4));  // element 45
}

TEST_F(CliSchemeTest, DumpPrintsEveryEntryInElementOrder)
{
    const QJsonObject document = defaultDocument();
    EXPECT_EQ(document["name"].toString(), "STYLE");
    const QJsonArray entries = document["entries"].toArray();
    ASSERT_EQ(entries.size(), 63);
    for (int i = 0; i < 63; ++i)
        EXPECT_EQ(entries[i].toObject()["element"].toInt(), i + 1);
    EXPECT_EQ(entries[21].toObject()["colour"].toString(), "FF8040");  // red, green, blue
    EXPECT_EQ(entries[40].toObject()["colour"].toString(), "FBFEDA");
    EXPECT_EQ(entries[35].toObject()["transparency"].toInt(), 7);
}

TEST_F(CliSchemeTest, DumpAndBuildRoundTripByteForByte)
{
    ColourScheme scheme;
    for (int element = 1; element <= kElementCount; ++element)
        scheme.entry(element) = {Colour(element * 0x010305) & 0xFFFFFF, std::uint8_t(15 - element % 16)};
    scheme.name = *ToCp1251("Ночь №1");
    const SchemeImage image = EncodeScheme(scheme);
    const QByteArray original(reinterpret_cast<const char *>(image.data()), 304);
    write(at("in.sch"), original);

    const CliRun dump = RunCli({"dump", at("in.sch")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(dump.out).object()["name"].toString(), "Ночь №1");
    write(at("in.json"), dump.out);
    const CliRun build = RunCli({"build", at("in.json"), at("out.sch")});
    ASSERT_EQ(build.exitCode, 0) << build.err.toStdString();
    EXPECT_EQ(read(at("out.sch")), original);
}

TEST_F(CliSchemeTest, BuildNamesAnUnnamedSchemeStyleAndTakesLowerCaseHex)
{
    QJsonObject document = WithEntry(defaultDocument(), 0, "colour", "a1b2c3");
    document["name"] = "";
    write(at("in.json"), QJsonDocument(document).toJson());
    ASSERT_EQ(RunCli({"build", at("in.json"), at("out.sch")}).exitCode, 0);
    const QByteArray bytes = read(at("out.sch"));
    EXPECT_EQ(bytes.mid(8, 10), QByteArray("\0S\0T\0Y\0L\0E", 10));
    EXPECT_EQ(bytes.mid(52, 3), QByteArray("\xA1\xB2\xC3"));
}

TEST_F(CliSchemeTest, DumpRefusesWhatIsNotAScheme)
{
    write(at("six.sch"), QByteArray("\0s\0C\0H", 6));
    const CliRun run = RunCli({"dump", at("six.sch")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("This file is not colour style")) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

// A half-copied file loads black behind its end; the user hears of it before saving over it.
TEST_F(CliSchemeTest, DumpWarnsOfAFileShorterThanAScheme)
{
    write(at("six.sch"), QByteArray("\0S\0C\0H", 6));
    const CliRun run = RunCli({"dump", at("six.sch")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "tintora-cli: " + at("six.sch") +
                           " is shorter than a colour style: 6 of 304 bytes\n");
    EXPECT_TRUE(run.out.contains("\"entries\""));

    EXPECT_EQ(RunCli({"default", at("whole.sch")}).exitCode, 0);
    EXPECT_TRUE(RunCli({"dump", at("whole.sch")}).err.isEmpty());
}

TEST_F(CliSchemeTest, DumpSaysWhyAFileCannotBeRead)
{
    const CliRun missing = RunCli({"dump", at("absent.sch")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("No such file")) << missing.err.toStdString();

    const CliRun folder = RunCli({"dump", dir.path()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.contains("directory")) << folder.err.toStdString();

    if (QFile::exists("/proc/self/mem")) {
        const CliRun unreadable = RunCli({"dump", "/proc/self/mem"});
        EXPECT_EQ(unreadable.exitCode, 1);
        EXPECT_TRUE(unreadable.err.contains("Input/output error")) << unreadable.err.toStdString();
    }
}

TEST_F(CliSchemeTest, BuildNamesTheRuleADocumentBreaks)
{
    const QJsonObject good = defaultDocument();

    QJsonObject shortList = good;
    QJsonArray entries = good["entries"].toArray();
    entries.removeAt(62);
    shortList["entries"] = entries;
    expectRejected(shortList, "element 63 is missing");

    expectRejected(WithEntry(good, 4, "element", 6), "element 6 appears more than once");
    expectRejected(WithEntry(good, 4, "element", 64), "\"element\" must be a whole number from 1 to 63");
    expectRejected(WithEntry(good, 4, "element", "5"), "\"element\" must be a whole number");
    expectRejected(WithEntry(good, 2, "transparency", 16), "\"transparency\" must be a whole number from 0 to 15");
    expectRejected(WithEntry(good, 2, "transparency", 1.5), "\"transparency\"");
    expectRejected(WithEntry(good, 2, "colour", "GG0000"), "\"colour\" must be six hexadecimal digits");
    expectRejected(WithEntry(good, 2, "colour", "FF00001"), "\"colour\" must be six hexadecimal digits");
    expectRejected(WithEntry(good, 2, "colour", 0xFF0000), "\"colour\"");

    QJsonObject named = good;
    named["name"] = "ABCDEFGHIJKLMNO";
    expectRejected(named, "\"name\" must have at most 14 characters");
    named["name"] = "Café";
    expectRejected(named, "Windows-1251, which U+00E9 is not");
    named["name"] = QString::fromUtf8("Smile \xF0\x9F\x98\x80");  // named whole, not by its UTF-16 half
    expectRejected(named, "Windows-1251, which U+1F600 is not");
    named["name"] = 5;
    expectRejected(named, "\"name\" must be a string");

    // Qt's reader keeps the last of two equal keys and says nothing.
    const QByteArray text = QJsonDocument(good).toJson(QJsonDocument::Compact);
    const auto twice = [&](const QByteArray &first, const QByteArray &again) {
        QByteArray spoiled = text;
        return spoiled.replace(spoiled.indexOf(first), first.size(), again);
    };
    expectRejected(twice("{\"entries\":", "{\"name\": \"A\", \"entries\":"), "\"name\" is given twice");
    expectRejected(twice("{\"entries\":", "{\"entries\": 1, \"entries\":"), "\"entries\" is given twice");
    expectRejected(twice("{\"colour\":", "{\"colour\": \"00FF00\", \"c\\u006flour\":"),
                   "entries[0]: \"colour\" is given twice");

    expectRejected(QByteArray("[1, 2]"), "must be a JSON object");
    expectRejected(QByteArray("{\"name\": \"x\", \"entries\": ["), "not valid JSON");
}

TEST_F(CliSchemeTest, FailedWritesLeaveNothingBehind)
{
    const CliRun build = RunCli({"build", at("absent.json"), at("out.sch")});
    EXPECT_EQ(build.exitCode, 1);
    EXPECT_TRUE(build.err.contains("No such file")) << build.err.toStdString();
    EXPECT_FALSE(QFile::exists(at("out.sch")));

    const CliRun intoNowhere = RunCli({"default", at("missing-folder/out.sch")});
    EXPECT_EQ(intoNowhere.exitCode, 1);
    EXPECT_TRUE(intoNowhere.err.contains("cannot write")) << intoNowhere.err.toStdString();
    EXPECT_FALSE(QFile::exists(at("missing-folder")));

    // A disk that fills up part-way: the program inherits the limit.
    write(at("out.sch"), kPrevious);
    CliRun full;
    {
        const test::FileSizeLimit limit(100);
        full = RunCli({"default", at("out.sch")});
    }
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains("cannot write")) << full.err.toStdString();
    EXPECT_EQ(read(at("out.sch")), kPrevious);
}

TEST_F(CliSchemeTest, WrongArgumentsShowTheUsage)
{
    for (const QStringList &args : {QStringList{"dump"}, QStringList{"build"},
                                    QStringList{"default", "a.sch", "b.sch"}}) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("tintora-cli " + args[0])) << run.err.toStdString();
    }
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *command : {"dump FILE.sch", "build FILE.json [OUT.sch", "default [OUT.sch"})
        EXPECT_TRUE(help.out.contains(command)) << command;
}

TEST_F(CliSchemeTest, QuietWithoutASessionRuntimeFolder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("XDG_RUNTIME_DIR");
    process.setProcessEnvironment(environment);
    process.start(TINTORA_CLI_PATH, {"default", at("out.sch")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
}

// Fault caught: suggest, default, build and phone read replacing whatever OUT named, their own
// input included (a photograph became a scheme); "-" making a file of that name instead of
// writing to standard output; render --screen all taking standard output for a folder.
TEST_F(CliSchemeTest, OutputReplacesOnlyASchemeNeverAnInputAndDashIsStandardOutput)
{
    const QString phone = at("phone");
    ASSERT_TRUE(QDir().mkpath(phone + "/a/mobile/system"));
    ASSERT_EQ(RunCli({"default", phone + "/a/mobile/system/spcolor.sch"}).exitCode, 0);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
#if defined(Q_OS_WIN)
    // With its drive: the commands run in a folder that may be on another one.
    environment.insert("TINTORA_P2KAPI",
                       QFileInfo(QFileInfo(TINTORA_CLI_PATH).dir().filePath("p2ksim.dll")).absoluteFilePath());
#else
    environment.insert("TINTORA_P2KAPI", QFileInfo(TINTORA_CLI_PATH).dir().filePath("libp2ksim.so"));
#endif
    environment.insert("P2KSIM_ROOT", phone);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QByteArray document = QJsonDocument(defaultDocument()).toJson();
    const QByteArray photo = test::WriteJpeg(64, 48, {}, [](int y, JSAMPLE *row) {
        for (int x = 0; x < 64; ++x, row += 3) {
            row[0] = JSAMPLE(x * 4);
            row[1] = JSAMPLE(y * 5);
            row[2] = JSAMPLE(200 - x - y);
        }
    });
    const QByteArray oldScheme = QByteArray("\0S\0C\0H", 6) + QByteArray(298, 'o');
    const auto reset = [&] {
        write(at("in.json"), document);
        write(at("photo.jpg"), photo);
        write(at("notes.txt"), "notes");
        write(at("scheme.sch"), oldScheme);
        for (const char *made : {"new.sch", "-named.sch", "-"})
            QFile::remove(at(made));
    };
    reset();
    std::filesystem::create_hard_link(QFileInfo(at("in.json")).filesystemFilePath(),
                                      QFileInfo(at("also.json")).filesystemFilePath());

    const QByteArray scheme("\0S\0C\0H", 6), png("\x89PNG");
    const struct {
        QStringList args;
        QString out;           // the file OUT names, "-" for standard output
        QByteArray written;    // how what was written starts; empty: the command is refused
        const char *reason;    // part of the refusal
        int status = 0;        // of a command that writes
    } cases[] = {
        {{"default", "new.sch"}, "new.sch", scheme, ""},
        {{"default", "scheme.sch"}, "scheme.sch", scheme, ""},
        {{"default", "notes.txt"}, "notes.txt", {}, "not a colour scheme; --force replaces it"},
        {{"default", "--force", "notes.txt"}, "notes.txt", scheme, ""},
        {{"default", "folder", "--force"}, "folder", {}, "it is a folder"},
        {{"default", "-"}, "-", scheme, ""},
        {{"default"}, "-", scheme, ""},
        {{"default", "--", "-named.sch"}, "-named.sch", scheme, ""},
        {{"build", "in.json", "in.json"}, "in.json", {}, "it is the input in.json"},
        {{"build", "in.json", "also.json", "--force"}, "also.json", {}, "it is the input in.json"},
        {{"build", "in.json", "folder/../in.json", "--force"}, "in.json", {}, "it is the input in.json"},
        {{"build", "in.json", "-"}, "-", scheme, ""},
        {{"build", "in.json"}, "-", scheme, ""},
        {{"suggest", "photo.jpg", "photo.jpg"}, "photo.jpg", {}, "it is the input photo.jpg"},
        {{"suggest", "photo.jpg", "./photo.jpg", "--force"}, "photo.jpg", {}, "it is the input photo.jpg"},
        {{"suggest", "photo.jpg", "notes.txt", "--dark"}, "notes.txt", {}, "not a colour scheme"},
        {{"suggest", "photo.jpg", "scheme.sch"}, "scheme.sch", scheme, ""},
        {{"suggest", "photo.jpg", "-"}, "-", scheme, ""},
        // Dark schemes' light texts do not read over the picture's light corner, and suggest
        // says so, the scheme written all the same.
        {{"suggest", "photo.jpg", "--dark"}, "-", scheme, "", 3},
        {{"phone", "read", "notes.txt"}, "notes.txt", {}, "not a colour scheme"},
        {{"phone", "read", "--force", "notes.txt"}, "notes.txt", scheme, ""},
        {{"phone", "read", "-"}, "-", scheme, ""},
        {{"render", "--screen", "0", "--out", "-"}, "-", png, ""},
        {{"render", "--screen", "all", "--out", "-"}, "-", {}, "standard output takes one"},
        {{"render", "--screen", "0", "--background", "photo.jpg", "--out", "photo.jpg"}, "photo.jpg", {},
         "it is the input photo.jpg"},
    };
    for (const auto &c : cases) {
        reset();
        const std::string name = c.args.join(' ').toStdString();
        const QByteArray before = read(at(c.out));
        const CliRun run = RunCli(c.args, dir.path(), environment);
        const bool toStandardOutput = c.out == "-";
        EXPECT_FALSE(QFile::exists(at("-"))) << name;
        if (c.written.isEmpty()) {
            EXPECT_EQ(run.exitCode, 1) << name;
            EXPECT_TRUE(run.err.contains(c.reason)) << name << ": " << run.err.toStdString();
            EXPECT_EQ(read(at(c.out)), before) << name;
            EXPECT_TRUE(run.out.isEmpty()) << name;
            continue;
        }
        EXPECT_EQ(run.exitCode, c.status) << name << ": " << run.err.toStdString();
        const QByteArray written = toStandardOutput ? run.out : read(at(c.out));
        EXPECT_TRUE(written.startsWith(c.written)) << name << ": " << written.left(16).toHex().toStdString();
        if (c.written == scheme) {
            EXPECT_EQ(written.size(), 304) << name;
        }
    }
}

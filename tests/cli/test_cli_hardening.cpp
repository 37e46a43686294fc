// tintora-cli fed what strangers and accidents hand it: pictures that lie
// about their size, a very large picture, cut files, folders, FIFOs and
// devices where files belong, settings files nobody wrote, a full disk at
// every kind of save and kill -9 in the middle of a write. Each run must end
// in time with a clear message, bounded memory and nothing lost.
#include "tests/filefaults.h"
#include "tests/preview/test_jpegwriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct Outcome {
    bool finished = false;  // false: still running at the deadline, then killed
    int status = -1;        // exit status; -1 when it ended by a signal
    QString err;
    long peakKiB = 0;  // largest resident set of the program
    bool killedWhileOpen = false;  // it held RunOptions::killWhenOpen open when killed
};

struct RunOptions {
    std::optional<std::chrono::microseconds> killAfter;  // SIGKILL then, unless it is over
    QString killWhenOpen;  // also SIGKILL as soon as the program is seen holding this file open
    QStringList environment;  // added to ours
    bool asNobody = false;  // root runs it as nobody, whom a folder's permissions stop
};

// The exit status of a child that could not become nobody.
constexpr int kNoNobody = 126;

bool HoldsOpen(pid_t pid, const QByteArray &path)
{
    const QByteArray fds = "/proc/" + QByteArray::number(pid) + "/fd/";
    DIR *dir = opendir(fds.constData());
    if (!dir)
        return false;
    bool open = false;
    char target[4096];
    while (const dirent *entry = readdir(dir)) {
        const ssize_t size = readlink((fds + entry->d_name).constData(), target, sizeof target);
        if (size == path.size() && std::memcmp(target, path.constData(), size) == 0) {
            open = true;
            break;
        }
    }
    closedir(dir);
    return open;
}

// Starts tintora-cli with the arguments; waits at most timeout, or kills it
// with SIGKILL as the options say.
Outcome RunCli(const QString &errPath, const QStringList &args, std::chrono::milliseconds timeout,
               const RunOptions &options = {})
{
    const std::optional<std::chrono::microseconds> killAfter = options.killAfter;
    const QByteArray watched = QFile::encodeName(options.killWhenOpen);
    std::vector<QByteArray> strings{QByteArray(TINTORA_CLI_PATH)};
    for (const QString &arg : args)
        strings.push_back(QFile::encodeName(arg));
    std::vector<char *> argv;
    for (QByteArray &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> envStrings;
    for (char **e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    for (const QString &e : options.environment)
        envStrings.push_back(e.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &s : envStrings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    const QByteArray errName = QFile::encodeName(errPath);

    const pid_t pid = fork();
    if (pid == 0) {
        const int err = ::open(errName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (options.asNobody && !tintora::test::BecomeNobody())
            _exit(kNoNobody);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    Outcome run;
    if (pid < 0)
        return run;
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    rusage usage{};
    for (;;) {
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const bool open = !watched.isEmpty() && HoldsOpen(pid, watched);
        if (killAfter && (elapsed >= *killAfter || open)) {
            run.killedWhileOpen = open;
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            run.finished = !WIFSIGNALED(status);
            break;
        }
        if (wait4(pid, &status, WNOHANG, &usage) == pid) {
            run.finished = true;
            break;
        }
        if (elapsed >= timeout) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            break;
        }
        std::this_thread::sleep_for(killAfter ? std::chrono::microseconds(200) : std::chrono::microseconds(2000));
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
    QFile err(errPath);
    if (err.open(QIODevice::ReadOnly))
        run.err = QString::fromUtf8(err.readAll());
    return run;
}

constexpr std::chrono::milliseconds kPatience(kSanitized ? 60000 : 20000);

class CliHardeningTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString at(const QString &name) const { return dir.filePath(name); }

    Outcome run(const QStringList &args, const QStringList &environment = {}) const
    {
        RunOptions options;
        options.environment = environment;
        return RunCli(at("stderr.txt"), args, kPatience, options);
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // The main screen at a fixed moment, so two runs can be compared byte for byte.
    QStringList render(const QString &out) const
    {
        return {"render", "--screen", "0", "--now", "2024-05-17 10:08", "--out", out};
    }

    void expectPicturesRefused(const std::vector<struct PictureCase> &cases);
    void expectRefusedEverywhere(const QStringList &paths);

    QTemporaryDir dir;
};

QByteArray Gradient(int width, int height, const tintora::test::JpegLayout &layout = {})
{
    return tintora::test::WriteJpeg(width, height, layout, [&](int y, JSAMPLE *row) {
        for (int x = 0; x < width; ++x) {
            row[3 * x] = JSAMPLE(x * 255 / width);
            row[3 * x + 1] = JSAMPLE(y * 255 / height);
            row[3 * x + 2] = JSAMPLE((x + y) & 0xFF);
        }
    });
}

// Frame header: marker (C0 baseline, C2 progressive, C9 and CA arithmetic),
// length (2), precision, height (2), width (2).
QByteArray Announcing(QByteArray file, int width, int height)
{
    qsizetype frame = -1;
    for (const char code : {'\xC0', '\xC2', '\xC9', '\xCA'}) {
        if (frame < 0)
            frame = file.indexOf(QByteArray("\xFF") + code);
    }
    EXPECT_GT(frame, 0);
    file[frame + 5] = char(height >> 8);
    file[frame + 6] = char(height & 0xFF);
    file[frame + 7] = char(width >> 8);
    file[frame + 8] = char(width & 0xFF);
    return file;
}

struct PictureCase {
    const char *name;
    QByteArray file;
    const char *reason;
};

void CliHardeningTest::expectPicturesRefused(const std::vector<PictureCase> &cases)
{
    for (const PictureCase &c : cases) {
        QFile::remove(at("out.png"));
        write(at("picture.jpg"), c.file);
        const Outcome result = run(render(at("out.png")) << "--background" << at("picture.jpg"));
        ASSERT_TRUE(result.finished) << c.name;
        EXPECT_EQ(result.status, 1) << c.name;
        EXPECT_TRUE(result.err.contains(c.reason, Qt::CaseInsensitive)) << c.name << ": " << result.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(at("out.png"))) << c.name;
        if (!kSanitized) {
            EXPECT_LT(result.peakKiB, 100 * 1024) << c.name;
        }
    }
}

// Parts of a 640 x 480 picture: a tenth, half, nine tenths.
std::vector<PictureCase> CutShort(const char *name, const tintora::test::JpegLayout &layout)
{
    const QByteArray whole = Gradient(640, 480, layout);
    std::vector<PictureCase> cases;
    for (const double kept : {0.1, 0.5, 0.9})
        cases.push_back({name, whole.left(qsizetype(whole.size() * kept)), "before its picture"});
    return cases;
}

TEST_F(CliHardeningTest, PicturesThatLieOrEndEarlyAreRefusedInTimeWithBoundedMemory)
{
    std::vector<PictureCase> cases = {
        {"65535 x 65535 in a few bytes", Announcing(Gradient(16, 16), 65535, 65535), "65500"},
        {"65500 x 65500 in a few bytes", Announcing(Gradient(16, 16), 65500, 65500), "would take far more work"},
        // Too large to hold whole, so read at 1/8 size, where its few bytes cannot be the data.
        {"progressive 20000 x 20000 in a few bytes", Announcing(Gradient(16, 16, {.progressive = true}), 20000, 20000),
         "would take far more work"},
    };
    for (const PictureCase &c : CutShort("baseline cut", {}))
        cases.push_back(c);
    for (const PictureCase &c : CutShort("progressive cut", {.progressive = true}))
        cases.push_back(c);
    expectPicturesRefused(cases);
}

TEST_F(CliHardeningTest, ArithmeticCodedPictureCutShortIsRefused)
{
    std::vector<PictureCase> cases = CutShort("arithmetic cut", {.arithmetic = true});
    for (const PictureCase &c : CutShort("progressive arithmetic cut", {.progressive = true, .arithmetic = true}))
        cases.push_back(c);
    expectPicturesRefused(cases);
}

TEST_F(CliHardeningTest, HundredMegapixelPictureStreamsBelow100MiB)
{
    write(at("large.jpg"), Gradient(10000, 10000));
    const Outcome result = run(render(at("out.png")) << "--background" << at("large.jpg"));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(QFileInfo(at("out.png")).size() > 0);
    RecordProperty("peak KiB", std::to_string(result.peakKiB));
    if (kSanitized)
        GTEST_SKIP() << "the sanitizers' own memory hides the program's; the plain build checks the peak";
    EXPECT_LT(result.peakKiB, 100 * 1024);
}

// Each path as the scheme, the picture and the settings of render, and as
// the scheme of dump: refused in time, with the file named, nothing written.
void CliHardeningTest::expectRefusedEverywhere(const QStringList &paths)
{
    for (const char *option : {"--scheme", "--background", "--ini"}) {
        for (const QString &path : paths) {
            const std::string what = std::string(option) + " " + path.toStdString();
            const Outcome result = run(render(at("out.png")) << option << path);
            ASSERT_TRUE(result.finished) << what << " blocks";
            EXPECT_EQ(result.status, 1) << what;
            EXPECT_TRUE(result.err.contains(QFileInfo(path).fileName())) << what << ": " << result.err.toStdString();
            EXPECT_FALSE(QFileInfo::exists(at("out.png"))) << what;
        }
    }
    for (const QString &path : paths) {
        const Outcome result = run({"dump", path});
        ASSERT_TRUE(result.finished) << "dump " << path.toStdString() << " blocks";
        EXPECT_EQ(result.status, 1) << path.toStdString();
        EXPECT_TRUE(result.err.contains(QFileInfo(path).fileName())) << path.toStdString();
    }
}

TEST_F(CliHardeningTest, FolderIsRefusedAsSchemePictureAndSettings)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    expectRefusedEverywhere({at("folder")});
}

TEST_F(CliHardeningTest, FifoAndDeviceAreRefusedAsSchemePictureAndSettings)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(at("fifo")).constData(), 0600), 0);
    expectRefusedEverywhere({at("fifo"), QStringLiteral("/dev/zero")});
}

TEST_F(CliHardeningTest, HostileSettingsFilesReadLikeTheirPlainEquivalents)
{
    std::mt19937 random(12);
    QByteArray noise(200000, '\0');
    for (char &byte : noise)
        byte = char(random());
    const QByteArray longName(1000000, 'W');
    const QByteArray tooLarge = "[Options]\nProviderName=BIG\n" + QByteArray(1 << 20, ';');
    struct Case {
        const char *name;
        QByteArray hostile;
        std::optional<QByteArray> plain;  // none: the defaults, as without --ini
    };
    const Case cases[] = {
        {"random bytes", noise, std::nullopt},
        {"a line of a million characters", "[Options]\nProviderName=" + longName + "\nClockFormat=1\n",
         "[Options]\nProviderName=" + longName.left(2047) + "\nClockFormat=1\n"},
        {"no final line break", "[Options]\nClockFormat=1\nProviderName=END", "[Options]\nClockFormat=1\nProviderName=END\n"},
        {"byte-order mark", "\xEF\xBB\xBF[Options]\nProviderName=BOM\n", "[Options]\nProviderName=BOM\n"},
        {"over a megabyte", tooLarge, std::nullopt},
    };
    for (const Case &c : cases) {
        write(at("hostile.ini"), c.hostile);
        const Outcome hostile = run(render(at("hostile.png")) << "--ini" << at("hostile.ini"));
        ASSERT_TRUE(hostile.finished) << c.name;
        EXPECT_EQ(hostile.status, 0) << c.name << ": " << hostile.err.toStdString();
        QStringList plainArgs = render(at("plain.png"));
        if (c.plain) {
            write(at("plain.ini"), *c.plain);
            plainArgs << "--ini" << at("plain.ini");
        }
        ASSERT_EQ(run(plainArgs).status, 0) << c.name;
        EXPECT_EQ(read(at("hostile.png")), read(at("plain.png"))) << c.name;
        EXPECT_EQ(read(at("hostile.ini")), c.hostile) << c.name;
        if (!kSanitized) {
            EXPECT_LT(hostile.peakKiB, 100 * 1024) << c.name;
        }
    }
    write(at("hostile.ini"), tooLarge);
    EXPECT_TRUE(run(render(at("hostile.png")) << "--ini" << at("hostile.ini")).err.contains("larger than 1 MiB"));
}

TEST_F(CliHardeningTest, FullDiskDuringEveryKindOfSaveLeavesTheOldFileWhole)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root; the file-size limit tests cover short writes";
    const QString disk = at("disk");
    tintora::test::FullDisk full(disk);
    if (!full.mounted())
        GTEST_SKIP() << "this machine lets no tmpfs be mounted here (a container without the right)";

    // The phone holds a scheme for phone read to copy.
    ASSERT_EQ(run({"default", at("default.sch")}).status, 0);
    ASSERT_TRUE(QDir(disk).mkdir("screens"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("phone/a/mobile/system"));
    write(at("phone/a/mobile/system/spcolor.sch"), read(at("default.sch")));

    struct Target {
        QString path;
        QByteArray old;
    };
    const QByteArray oldScheme = QByteArray("\0S\0C\0Hold scheme ", 17) + QByteArray(287, 'o');
    const std::vector<Target> targets = {
        {disk + "/built.sch", oldScheme},  {disk + "/default.sch", oldScheme}, {disk + "/read.sch", oldScheme},
        {disk + "/out.png", "old picture"}, {disk + "/screens/screen-4.png", "old screen"},
        {disk + "/0032_0001.seem", QByteArray(255, '\0')},
    };
    for (const Target &target : targets)
        write(target.path, target.old);
    const QByteArray document =
        "{\"name\": \"FULL\", \"entries\": [" + [] {
            QByteArray entries;
            for (int element = 1; element <= 63; ++element)
                entries += QByteArray(element > 1 ? ", " : "") + "{\"element\": " + QByteArray::number(element)
                           + ", \"colour\": \"123456\", \"transparency\": 3}";
            return entries;
        }() + "]}";
    write(at("scheme.json"), document);
    full.fill();

    const QStringList phone = {"TINTORA_P2KAPI=" + QFileInfo(TINTORA_CLI_PATH).dir().filePath("libp2ksim.so"),
                               "P2KSIM_ROOT=" + at("phone")};
    const std::vector<std::pair<const char *, QStringList>> saves = {
        {"build", {"build", at("scheme.json"), disk + "/built.sch"}},
        {"default", {"default", disk + "/default.sch"}},
        {"render", render(disk + "/out.png")},
        {"render all", {"render", "--screen", "all", "--out", disk + "/screens"}},
        {"activate", {"activate", disk + "/0032_0001.seem"}},
        {"phone read", {"phone", "read", disk + "/read.sch"}},
    };
    for (const auto &[name, args] : saves) {
        const Outcome result = run(args, phone);
        ASSERT_TRUE(result.finished) << name;
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_FALSE(result.err.isEmpty()) << name;
    }
    for (const Target &target : targets)
        EXPECT_EQ(read(target.path), target.old) << target.path.toStdString();
    // Nothing half-written was left beside them either.
    QStringList left = QDir(disk).entryList(QDir::Files) + QDir(disk + "/screens").entryList(QDir::Files);
    left.sort();
    EXPECT_EQ(left, QStringList({"0032_0001.seem", "built.sch", "default.sch", "filler", "out.png", "read.sch",
                                 "screen-4.png"}));
}

TEST_F(CliHardeningTest, KillMidWriteLeavesTheOldOrTheNewFileWhole)
{
    struct Case {
        const char *name;
        QStringList args;
        QString target;
        QByteArray old;
        // In a folder that takes no new files the file is written over where it is: never
        // shorter than it was, though a kill may leave new bytes before old ones.
        bool inPlace = false;
    };
    const QByteArray oldScheme = QByteArray("\0S\0C\0Hold scheme ", 17) + QByteArray(287, 'o');
    const QString locked = at("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const std::vector<Case> cases = {
        {"render", render(at("k.png")), at("k.png"), "old picture"},
        {"default", {"default", at("k.sch")}, at("k.sch"), oldScheme},
        {"activate", {"activate", at("k.seem")}, at("k.seem"), QByteArray(255, '\0')},
        {"default in a folder that takes no new files", {"default", locked + "/k.sch"}, locked + "/k.sch", oldScheme,
         true},
    };
    std::mt19937 random(99);
    for (const Case &c : cases) {
        write(c.target, c.old);
        RunOptions options;
        if (c.inPlace) {
            // Root ignores a folder's permissions, so the program runs as nobody, who must
            // reach the folder and may write the file but not add one beside it.
            const auto all = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
            QFile::setPermissions(dir.path(), all | QFile::WriteOwner);
            QFile::setPermissions(c.target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::WriteOther);
            QFile::setPermissions(locked, all);
            {
                const tintora::test::ActingAsNobody nobody;
                if (!nobody.holds())
                    GTEST_SKIP() << "root cannot act as nobody here, and no permission stops root";
                QFile probe(locked + "/probe");
                ASSERT_FALSE(probe.open(QIODevice::WriteOnly)) << "the folder takes new files";
            }
            options.killWhenOpen = c.target;
            options.asNobody = true;
        }
        const auto start = std::chrono::steady_clock::now();
        const Outcome whole = RunCli(at("stderr.txt"), c.args, kPatience, options);
        if (whole.status == kNoNobody)
            GTEST_SKIP() << "root cannot run the program as nobody here";
        ASSERT_EQ(whole.status, 0) << c.name << ": " << whole.err.toStdString();
        const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        const QByteArray fresh = read(c.target);
        ASSERT_NE(fresh, c.old);
        if (c.inPlace) {
            // A full disk at the first byte: the write fails and the file stays as it was.
            write(c.target, c.old);
            Outcome full;
            {
                const tintora::test::FileSizeLimit limit(0);
                full = RunCli(at("stderr.txt"), c.args, kPatience, options);
            }
            EXPECT_EQ(full.status, 1) << c.name << " on a full disk";
            EXPECT_EQ(read(c.target), c.old) << c.name << " on a full disk";
        }
        int oldSeen = 0, newSeen = 0, mixed = 0, whileOpen = 0, shorter = 0;
        for (int attempt = 0; attempt < 25; ++attempt) {
            write(c.target, c.old);
            options.killAfter = std::chrono::microseconds(random() % std::uint32_t(took.count() * 6 / 5 + 1));
            whileOpen += RunCli(at("stderr.txt"), c.args, kPatience, options).killedWhileOpen;
            const QByteArray now = read(c.target);
            const std::string what = std::string(c.name) + " killed after " + std::to_string(options.killAfter->count()) +
                                     " us: " + std::to_string(now.size()) + " bytes";
            shorter += now.size() < c.old.size();
            if (c.inPlace) {
                EXPECT_GE(now.size(), c.old.size()) << what;
            } else {
                ASSERT_TRUE(now == c.old || now == fresh) << what;
            }
            (now == c.old ? oldSeen : now == fresh ? newSeen : mixed)++;
        }
        // Both ends were seen, so the kills did land around the write.
        RecordProperty(std::string(c.name) + " old/new/mixed",
                       std::to_string(oldSeen) + "/" + std::to_string(newSeen) + "/" + std::to_string(mixed));
        if (c.inPlace) {
            RecordProperty(std::string(c.name) + " killed mid-write/left shorter",
                           std::to_string(whileOpen) + "/" + std::to_string(shorter));
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
}

}  // namespace

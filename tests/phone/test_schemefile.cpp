// Loading a scheme file as the commands do: what loads, what is left alone, and what the user
// is told, in the interface language.
#include "tests/scheme/recordingmessages.h"

#include "phone/opencommand.h"
#include "ui/interfacelanguage.h"
#include "ui/wording.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace tintora;

namespace {

class LoadSchemeFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // A scheme that a failed load must leave exactly as it is.
        BuildDefaultScheme(scheme);
        scheme.name = "Before";
        before = scheme;
    }

    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath("file.sch");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void expectUnchanged()
    {
        EXPECT_EQ(scheme.entries, before.entries);
        EXPECT_EQ(scheme.name, before.name);
    }

    QTemporaryDir dir;
    ColourScheme scheme;
    ColourScheme before;
    RecordingMessages messages;
    InterfaceTranslation translation;
    const InterfaceCommandWords words{};
};

QByteArray ValidImage(const QByteArray &name)
{
    ColourScheme source;
    for (int element = 1; element <= kElementCount; ++element)
        source.entry(element) = {Colour(element) << 8, std::uint8_t(element % 16)};
    source.name = name;
    const SchemeImage image = EncodeScheme(source);
    return QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size()));
}

}  // namespace

TEST_F(LoadSchemeFileTest, LoadsAValidFile)
{
    const QString path = write(ValidImage("Night"));
    EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::Loaded);
    EXPECT_EQ(scheme.name, QByteArray("Night"));
    EXPECT_EQ(scheme.entry(9), (SchemeEntry{0x900, 9}));
    EXPECT_TRUE(messages.informed.isEmpty());
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(LoadSchemeFileTest, OtherHeaderBytesAreIgnored)
{
    QByteArray bytes = ValidImage("X");
    bytes[0] = char(0xFF);
    bytes[2] = char(0xFF);
    bytes[4] = char(0xFF);
    bytes[51] = 0;
    EXPECT_EQ(LoadSchemeAndReport(scheme, write(bytes), messages, words), LoadOutcome::Loaded);
    EXPECT_EQ(scheme.name, QByteArray("X"));
}

TEST_F(LoadSchemeFileTest, LowerCaseSignatureIsRejectedInTheLanguageOfTheFlag)
{
    QByteArray bytes = ValidImage("Night");
    bytes[1] = 0x73;
    const QString path = write(bytes);

    EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::NotScheme);
    translation.use("ru");
    EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::NotScheme);
    EXPECT_EQ(messages.informed,
              QStringList({"This file is not colour style", "Файл не является цветовой палитрой"}));
    expectUnchanged();
}

TEST_F(LoadSchemeFileTest, SixByteSignatureIsAnEmptyBlackScheme)
{
    const QString path = write(QByteArray("\0S\0C\0H", 6));
    EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::Loaded);
    for (int element = 1; element <= kElementCount; ++element)
        EXPECT_EQ(scheme.entry(element), SchemeEntry{}) << "element " << element;
    EXPECT_TRUE(scheme.name.isEmpty());
}

TEST_F(LoadSchemeFileTest, ShortAndEmptyFilesAreNotSchemes)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\0S\0C\0", 5)}) {
        EXPECT_EQ(LoadSchemeAndReport(scheme, write(bytes), messages, words), LoadOutcome::NotScheme);
        expectUnchanged();
    }
}

TEST_F(LoadSchemeFileTest, LongFileIsReadFromItsFirst304Bytes)
{
    QByteArray bytes = ValidImage("Long");
    bytes.append(QByteArray(100000, char(0xEE)));
    EXPECT_EQ(LoadSchemeAndReport(scheme, write(bytes), messages, words), LoadOutcome::Loaded);
    EXPECT_EQ(scheme.name, QByteArray("Long"));
    EXPECT_EQ(scheme.entry(63), (SchemeEntry{63 << 8, 15}));
}

TEST_F(LoadSchemeFileTest, MissingFileAndFolderArePassedOverSilently)
{
    for (const QString &path : {dir.filePath("absent.sch"), dir.path()}) {
        EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::NotOpened);
        expectUnchanged();
    }
    EXPECT_TRUE(messages.informed.isEmpty());
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(LoadSchemeFileTest, ReadFailureAfterOpeningIsReported)
{
    // Opens fine; reading address zero of our own memory fails with EIO.
    const QString path = "/proc/self/mem";
    if (!QFile::exists(path))
        GTEST_SKIP() << "no " << path.toStdString();
    EXPECT_EQ(LoadSchemeAndReport(scheme, path, messages, words), LoadOutcome::ReadFailed);
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].startsWith("Input/output error")) << messages.errors[0].toStdString();
    EXPECT_TRUE(messages.errors[0].contains(path));
    EXPECT_TRUE(messages.informed.isEmpty());
    expectUnchanged();
}

// A half-copied file loads as the Part says, but the window must be able to say so.
TEST_F(LoadSchemeFileTest, TheNoteTellsHowShortAFileWasAndWhyOneWasNotOpened)
{
    struct Case {
        QByteArray bytes;
        const char *language;
        QString note;
    };
    const Case cases[] = {
        {ValidImage("Whole"), "en", QString()},
        {ValidImage("Half").left(200), "en", "file.sch is shorter than a colour style: 200 of 304 bytes"},
        {QByteArray("\0S\0C\0H", 6), "ru", "Файл file.sch короче цветовой палитры: 6 из 304 байт"},
    };
    for (const Case &c : cases) {
        QString note = "stale";
        translation.use(c.language);
        EXPECT_EQ(LoadSchemeAndReport(scheme, write(c.bytes), messages, words, &note), LoadOutcome::Loaded);
        EXPECT_EQ(note, c.note);
    }
    QString note;
    translation.use("en");
    EXPECT_EQ(LoadSchemeAndReport(scheme, dir.filePath("absent.sch"), messages, words, &note),
              LoadOutcome::NotOpened);
    EXPECT_TRUE(note.startsWith("Cannot open absent.sch: No such file")) << note.toStdString();
}

#if defined(Q_OS_UNIX)
// A pipe would block the program until a writer came; it is refused unopened.
TEST_F(LoadSchemeFileTest, APipeIsRefusedWithoutBeingOpened)
{
    const QByteArray pipe = QFile::encodeName(dir.filePath("pipe.sch"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    // Held open with a whole scheme in it, so a reader that opened it would load it, not hang.
    const int held = ::open(pipe.constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(held, 0);
    const QByteArray image = ValidImage("Piped");
    ASSERT_EQ(::write(held, image.constData(), image.size()), image.size());

    QString note;
    EXPECT_EQ(LoadSchemeAndReport(scheme, dir.filePath("pipe.sch"), messages, words, &note),
              LoadOutcome::NotOpened);
    ::close(held);
    expectUnchanged();
    EXPECT_EQ(note, "Cannot open pipe.sch: not a regular file but a device, a pipe or a socket");
    const SchemeFileRead read = ReadSchemeImage(dir.filePath("pipe.sch"));
    EXPECT_EQ(read.outcome, LoadOutcome::NotOpened);
    translation.use("ru");
    EXPECT_EQ(LoadSchemeAndReport(scheme, dir.filePath("pipe.sch"), messages, words, &note),
              LoadOutcome::NotOpened);
    EXPECT_EQ(note, "Не могу открыть файл pipe.sch: это не обычный файл, а устройство, канал или сокет");
}
#endif

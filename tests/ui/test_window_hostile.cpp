// Start-up and the status poll with files and timing that once went wrong in silence.

#include "windowfixture.h"

#include "scheme/inputfile.h"
#include "ui/statusbar.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tintora::test {
namespace {

void RunEventLoopFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

using PollTest = WindowTest;

// A box shown at start-up runs the event loop; the poll once asked the library
// for its status there, before P2K_Init.
TEST_F(PollTest, NoPollBeforeTheLibraryIsInitialised)
{
    const QString path = folder.filePath("letter.txt");
    QFile letter(path);
    ASSERT_TRUE(letter.open(QIODevice::WriteOnly));
    letter.write("not a scheme");
    letter.close();
    int callsDuringTheBox = -1;
    dialogs.whileInforming = [&] {
        RunEventLoopFor(1300);
        callsDuringTheBox = phone.otherCalls;
    };
    start({path});
    EXPECT_EQ(callsDuringTheBox, 0);
    EXPECT_EQ(phone.initArguments, std::vector<int>{0});
}

// Tests call the handler directly; this one waits for the timer itself.
TEST_F(PollTest, ThePollStartsAndComesOnceASecond)
{
    // Measured from before start-up, so the time the timer ran is never overstated.
    QElapsedTimer clock;
    clock.start();
    start();
    while (phone.otherCalls == 0 && clock.elapsed() < 10000)
        RunEventLoopFor(20);
    ASSERT_GT(phone.otherCalls, 0) << "the poll never came";
    // A timer may fire a little early, never later for a shorter interval.
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_EQ(phone.otherCalls, 2) << "one poll asks the status twice";
}

class StartupNotes : public WindowTest {
protected:
    QString note() const { return child<StatusBar>("statusBar")->currentMessage(); }
};

// Without a box, as start-up has it, but never in silence.
TEST_F(StartupNotes, TheStatusBarSaysWhyTheFileOnTheCommandLineWasNotOpened)
{
    const QString unreadable = folder.filePath("folder.sch");
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.sch"));
    start({unreadable});
    EXPECT_TRUE(dialogs.informed.isEmpty());
    EXPECT_TRUE(note().startsWith(QString::fromUtf8("Не могу открыть файл folder.sch: ")))
        << note().toStdString();

    stop();

    // A pipe once hung start-up with no window; it is not the Save target either.
    const QByteArray pipe = QFile::encodeName(folder.filePath("pipe.sch"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    const int held = ::open(pipe.constData(), O_RDWR | O_NONBLOCK);
    ColourScheme piped;
    BuildDefaultScheme(piped);
    const SchemeImage image = EncodeScheme(piped);
    ASSERT_EQ(::write(held, image.data(), image.size()), qsizetype(image.size()));
    writeIni("[Options]\nLanguage=English\n");
    start({folder.filePath("pipe.sch")});
    ::close(held);
    EXPECT_EQ(note(),
              "Cannot open pipe.sch: not a regular file but a device, a pipe or a socket");
    ColourScheme standard;
    BuildDefaultScheme(standard);
    EXPECT_EQ(mainWindow->scheme(), standard);
    EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
}

TEST_F(StartupNotes, AShortFileLoadsAndTheStatusBarSaysHowShort)
{
    const QString path = folder.filePath("half.sch");
    QFile half(path);
    ASSERT_TRUE(half.open(QIODevice::WriteOnly));
    half.write(QByteArray("\0S\0C\0HXY", 9));
    half.close();
    start({path});
    EXPECT_EQ(note(), QString::fromUtf8("Файл half.sch короче цветовой палитры: 9 из 304 байт"));
    EXPECT_EQ(mainWindow->currentFilePath(), path);

    // Saving writes the whole scheme, and the note goes.
    mainWindow->files().saveScheme();
    EXPECT_EQ(QFileInfo(path).size(), 304);
    EXPECT_TRUE(note().isEmpty());

    // An Open of a short file says so too.
    QFile again(path);
    ASSERT_TRUE(again.open(QIODevice::WriteOnly));
    again.write(QByteArray("\0S\0C\0H", 6));
    again.close();
    dialogs.openAnswers << path;
    mainWindow->files().openScheme();
    EXPECT_EQ(note(), QString::fromUtf8("Файл half.sch короче цветовой палитры: 6 из 304 байт"));
}

// A name whose bytes are not UTF-8 reached a different file, and Save made a second one.
TEST_F(StartupNotes, ANameThatCannotBeKeptExactlyIsRefused)
{
    // What Qt made of the name "bad\xFF.sch": U+FFFD, a file of its own.
    const QString changed = folder.filePath(QString::fromUtf8("bad\xEF\xBF\xBD.sch"));
    QFile other(changed);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    ColourScheme otherScheme;
    BuildDefaultScheme(otherScheme);
    otherScheme.name = "OTHER";
    const SchemeImage image = EncodeScheme(otherScheme);
    other.write(reinterpret_cast<const char *>(image.data()), image.size());
    other.close();
    MainWindowEnvironment environment;
    environment.dialogs = &dialogs;
    environment.clock = &clock;
    environment.phone = &phone;
    environment.settingsPath = iniPath();
    environment.fontFilePath = fontPath();
    environment.arguments = {changed};
    environment.firstArgumentExact = false;
    MainWindow window(environment);
    EXPECT_TRUE(window.scheme().name.isEmpty()) << "the file under the changed name is not read";
    EXPECT_TRUE(window.currentFilePath().isEmpty());
    EXPECT_TRUE(window.findChild<StatusBar *>("statusBar")->currentMessage().contains("UTF-8"));
    EXPECT_FALSE(IsExactArgument("bad\xFF.sch"));
    EXPECT_TRUE(IsExactArgument("Зима.sch"));
}

}  // namespace
}  // namespace tintora::test

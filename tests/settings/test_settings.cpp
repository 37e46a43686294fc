#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tintora;

namespace {

class SettingsTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    ProfileFile file(const QByteArray &contents)
    {
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return ProfileFile(path);
    }

    QTemporaryDir dir;
    QString path = dir.filePath("tintora.ini");
};

}  // namespace

TEST_F(SettingsTest, NoFileGivesEveryDefault)
{
    const ProfileFile ini(path);
    EXPECT_TRUE(ReadLanguage(ini).isEmpty());
    const Settings settings = ReadSettings(ini);
    EXPECT_EQ(settings.preview.ProviderName, "BEE LINE");
    EXPECT_EQ(settings.preview.ClockFormat, 0);
    EXPECT_EQ(settings.preview.DateFormat, 2);
    EXPECT_EQ(settings.preview.PressedSoftKey, 3);
    EXPECT_EQ(settings.preview.ChoosedDate, 1);
    EXPECT_EQ(settings.SpColorPath, "/a/mobile/system/");
    EXPECT_FALSE(QFile::exists(path));

    // Callers without a file get the same values.
    const Settings defaults = DefaultSettings();
    EXPECT_EQ(defaults.preview.ProviderName, settings.preview.ProviderName);
    EXPECT_EQ(defaults.preview.ClockFormat, settings.preview.ClockFormat);
    EXPECT_EQ(defaults.preview.DateFormat, settings.preview.DateFormat);
    EXPECT_EQ(defaults.preview.PressedSoftKey, settings.preview.PressedSoftKey);
    EXPECT_EQ(defaults.preview.ChoosedDate, settings.preview.ChoosedDate);
    EXPECT_EQ(defaults.SpColorPath, settings.SpColorPath);
}

TEST_F(SettingsTest, ValuesFromTheFile)
{
    const Settings settings = ReadSettings(file("[Options]\nProviderName=MTS\nClockFormat=1\n"
                                                "DateFormat=0\nPressedSoftKey=2\nChoosedDate=28\n"
                                                "[Phone]\nSpColorPath=/c/\n"));
    EXPECT_EQ(settings.preview.ProviderName, "MTS");
    EXPECT_EQ(settings.preview.ClockFormat, 1);
    EXPECT_EQ(settings.preview.DateFormat, 0);
    EXPECT_EQ(settings.preview.PressedSoftKey, 2);
    EXPECT_EQ(settings.preview.ChoosedDate, 28);
    EXPECT_EQ(settings.SpColorPath, "/c/");
}

TEST_F(SettingsTest, HexFormsAndNonNumbers)
{
    EXPECT_EQ(ReadSettings(file("[Options]\nClockFormat=0x1\n")).preview.ClockFormat, 1);
    EXPECT_EQ(ReadSettings(file("[Options]\nClockFormat=$1\n")).preview.ClockFormat, 1);
    EXPECT_EQ(ReadSettings(file("[Options]\nClockFormat=one\n")).preview.ClockFormat, 0);
    EXPECT_EQ(ReadSettings(file("[Options]\nDateFormat=one\n")).preview.DateFormat, 2);
    EXPECT_EQ(ReadSettings(file("[Options]\nPressedSoftKey=x\n")).preview.PressedSoftKey, 3);
}

// Catches a stored phone folder that the Phone folder item would refuse going on to the phone
// commands, where it fails only at the first write, and a good one taken for the default.
TEST_F(SettingsTest, AStoredPhoneFolderIsCheckedAsThePhoneFolderItemChecksIt)
{
    const struct {
        const char *stored;
        bool refused;
    } cases[] = {
        {"/c/", false},           {"/a/mobile/system", false}, {"/e/My themes/", false},
        {"mobile/system/", true}, {"/card/styles/", true},     {"/A/mobile/", true},
        {"/a/темы/", true},       {"", true},
    };
    for (const auto &c : cases) {
        const QString stored = QString::fromUtf8(c.stored);
        const Settings settings =
            ReadSettings(file("[Phone]\nSpColorPath=" + QByteArray(c.stored) + "\n"));
        EXPECT_EQ(settings.SpColorPath, c.refused ? "/a/mobile/system/" : stored) << c.stored;
        EXPECT_EQ(settings.refusedSpColorPath, c.refused ? std::optional(stored) : std::nullopt)
            << c.stored;
    }
    EXPECT_EQ(ReadSettings(ProfileFile(dir.filePath("none.ini"))).refusedSpColorPath, std::nullopt);
}

TEST_F(SettingsTest, IntegersKeepOnlyTheirLowBits)
{
    const Settings settings =
        ReadSettings(file("[Options]\nChoosedDate=65537\nDateFormat=258\nPressedSoftKey=-1\n"));
    EXPECT_EQ(settings.preview.ChoosedDate, 1);
    EXPECT_EQ(settings.preview.DateFormat, 2);
    EXPECT_EQ(settings.preview.PressedSoftKey, 255);
}

// The key's name matches without regard to case, the value is the interface's to judge.
TEST_F(SettingsTest, LanguageIsReadAsStored)
{
    EXPECT_EQ(ReadLanguage(file("[Options]\nLanguage=English\n")), "English");
    EXPECT_EQ(ReadLanguage(file("[options]\nlanguage=English\n")), "English");
    EXPECT_EQ(ReadLanguage(file("[Options]\nLanguage=english\n")), "english");
}

TEST_F(SettingsTest, LanguageRoundTrip)
{
    ProfileFile ini(path);
    ASSERT_TRUE(WriteLanguage(ini, "English"));
    EXPECT_EQ(ReadLanguage(ini), "English");
    ASSERT_TRUE(WriteLanguage(ini, "Russian"));
    EXPECT_EQ(ReadLanguage(ini), "Russian");
    EXPECT_EQ(ini.readString("Options", "Language", ""), "Russian");
}

TEST_F(SettingsTest, PreviewSettingsAreWrittenInOrderAndReadBack)
{
    ProfileFile ini = file("[Phone]\nSpColorPath=/p/\n");
    PreviewSettings values;
    values.ProviderName = "Билайн";
    values.ClockFormat = 1;
    values.DateFormat = 3;
    values.PressedSoftKey = 0;
    ASSERT_TRUE(WritePreviewSettings(ini, values, 17));

    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("[Phone]\nSpColorPath=/p/\n\n[Options]\n"
                                       "ProviderName=\xC1\xE8\xEB\xE0\xE9\xED\nClockFormat=1\n"
                                       "DateFormat=3\nPressedSoftKey=0\nChoosedDate=17\n"));
    const Settings back = ReadSettings(ini);
    EXPECT_EQ(back.preview.ProviderName, "Билайн");
    EXPECT_EQ(back.preview.ChoosedDate, 17);
    EXPECT_EQ(back.SpColorPath, "/p/");
}

TEST_F(SettingsTest, FailedWriteReportsFalse)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("tintora.ini"));  // a folder in the file's place
    ProfileFile ini(path);
    EXPECT_FALSE(WriteLanguage(ini, "English"));
    EXPECT_FALSE(WritePreviewSettings(ini, PreviewSettings{}, 1));
}

// A portable copy, and the build tree, keep the file they already have, even when its
// folder is read-only (the check must not hinge on who runs the tests: root may write
// anywhere).
TEST(SettingsFilePath, AFileAlreadyBesideTheProgramIsKept)
{
    QTemporaryDir program, user;
    QFile(program.filePath("tintora.ini")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(ChooseSettingsFile(program.path(), user.path()).toStdString(),
              program.filePath("tintora.ini").toStdString());
    QFile::setPermissions(program.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// An installed program's folder is writable for root, or for a user who installed with
// --prefix ~/.local: the file must not land among the programs then.
TEST(SettingsFilePath, WithoutOneAWritableProgramFolderIsNotUsed)
{
    QTemporaryDir program, user;
    ASSERT_TRUE(QFileInfo(program.path()).isWritable());
#ifdef Q_OS_WIN
    const QString expected = program.filePath("tintora.ini");
#else
    const QString expected = user.filePath("tintora.ini");
#endif
    EXPECT_EQ(ChooseSettingsFile(program.path(), user.path()).toStdString(),
              expected.toStdString());
}

#ifdef Q_OS_LINUX
// The per-user file follows XDG_CONFIG_HOME, and the first write makes its folder.
TEST(SettingsFilePath, ThePerUserFileIsUnderXdgConfigHomeAndMadeByTheFirstWrite)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath("tintora.ini");
    if (QFileInfo::exists(beside))
        GTEST_SKIP() << "a tintora.ini beside the tests is not ours to change";
    QTemporaryDir config;
    const QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    const QString savedName = QCoreApplication::applicationName();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication::setApplicationName("Tintora");

    const QString perUser = config.filePath("Tintora/tintora.ini");
    const QString path = SettingsFilePath();
    ProfileFile ini(path);
    const bool written = WriteLanguage(ini, "English");

    QCoreApplication::setApplicationName(savedName);
    if (savedHome.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedHome);

    EXPECT_EQ(path.toStdString(), perUser.toStdString());
    EXPECT_TRUE(written);
    EXPECT_TRUE(QFileInfo::exists(path));
}
#endif

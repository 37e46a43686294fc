#include "tests/filefaults.h"
#include "settings/profilefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include <unistd.h>

using namespace tintora;

namespace {

class ProfileFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path() const { return dir.filePath("tintora.ini"); }

    void put(const QByteArray &bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QByteArray contents() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

// Permission bits do not stop the superuser, who runs these tests in CI.
bool PermissionsApply(const QString &readOnlyFolder)
{
    return !QFileInfo(readOnlyFolder).isWritable();
}

}  // namespace

TEST_F(ProfileFileTest, MissingFileReadsAsDefaultsAndIsNotCreated)
{
    const ProfileFile ini(path());
    EXPECT_EQ(ini.readString("Options", "ProviderName", "BEE LINE"), "BEE LINE");
    EXPECT_EQ(ini.readInt("Options", "ClockFormat", 7), 7);
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCase)
{
    put("[oPTIONS]\nproVIDERname = MTS \n[Phone]\nSpColorPath=/b/\n");
    const ProfileFile ini(path());
    EXPECT_EQ(ini.readString("Options", "ProviderName", "x"), "MTS");
    EXPECT_EQ(ini.readString("PHONE", "spcolorpath", "x"), "/b/");
    EXPECT_EQ(ini.readString("Options", "SpColorPath", "none"), "none");  // other section
}

TEST_F(ProfileFileTest, EveryReadGoesToTheFile)
{
    const ProfileFile ini(path());
    put("[Options]\nDateFormat=1\n");
    EXPECT_EQ(ini.readInt("Options", "DateFormat", 2), 1);
    put("[Options]\nDateFormat=3\n");
    EXPECT_EQ(ini.readInt("Options", "DateFormat", 2), 3);
}

TEST_F(ProfileFileTest, IntegerForms)
{
    put("[N]\nhex1=0x1\nhex2=$1F\nhex3=0X1f\ndec=42\nlead=12abc\nword=one\nempty=\n"
        "neg=-1\nbare=0x\nbig=65537\nspaced=  7  \nplus=+5\nneghex=-$10\nallbits=$FFFFFFFF\n"
        "over=2147483648\nlow=-2147483648\nhexword=0xg\ndecletter=1f\n");
    const ProfileFile ini(path());
    EXPECT_EQ(ini.readInt("N", "hex1", 9), 1);
    EXPECT_EQ(ini.readInt("N", "hex2", 9), 31);
    EXPECT_EQ(ini.readInt("N", "hex3", 9), 31);
    EXPECT_EQ(ini.readInt("N", "dec", 9), 42);
    EXPECT_EQ(ini.readInt("N", "lead", 9), 9);
    EXPECT_EQ(ini.readInt("N", "word", 9), 9);
    EXPECT_EQ(ini.readInt("N", "empty", 9), 9);
    EXPECT_EQ(ini.readInt("N", "neg", 9), -1);
    EXPECT_EQ(ini.readInt("N", "bare", 9), 9);
    EXPECT_EQ(ini.readInt("N", "big", 9), 65537);
    EXPECT_EQ(ini.readInt("N", "spaced", 9), 7);
    EXPECT_EQ(ini.readInt("N", "plus", 9), 5);
    EXPECT_EQ(ini.readInt("N", "neghex", 9), -16);
    EXPECT_EQ(ini.readInt("N", "allbits", 9), -1);
    EXPECT_EQ(ini.readInt("N", "over", 9), 9);
    EXPECT_EQ(ini.readInt("N", "low", 9), -2147483648);
    EXPECT_EQ(ini.readInt("N", "hexword", 9), 9);
    EXPECT_EQ(ini.readInt("N", "decletter", 9), 9);
    EXPECT_EQ(ini.readInt("N", "missing", 9), 9);
}

TEST_F(ProfileFileTest, QuotedValuesLoseTheirQuotes)
{
    put("[Options]\nProviderName=\"BEE LINE\"\nOther='x\n");
    const ProfileFile ini(path());
    EXPECT_EQ(ini.readString("Options", "ProviderName", ""), "BEE LINE");
    EXPECT_EQ(ini.readString("Options", "Other", ""), "'x");
}

TEST_F(ProfileFileTest, TextIsCutAt2047Characters)
{
    put("[Options]\nProviderName=" + QByteArray(3000, 'a') + "\n");
    const QString value = ProfileFile(path()).readString("Options", "ProviderName", "");
    EXPECT_EQ(value, QString(2047, 'a'));
}

TEST_F(ProfileFileTest, ReadsWindows1251AndUtf8)
{
    put("[Options]\nA=\xC1\xE8\xEB\xE0\xE9\xED\r\nB=\xD0\x91\xD0\xB8\xD0\xBB\xD0\xB0\xD0\xB9\xD0\xBD\r\n");
    const ProfileFile ini(path());
    EXPECT_EQ(ini.readString("Options", "A", ""), "Билайн");
    EXPECT_EQ(ini.readString("Options", "B", ""), "Билайн");
}

TEST_F(ProfileFileTest, WriteChangesOnlyItsOwnKey)
{
    put("; settings of Tintora\r\n"
        "[Options]\r\n"
        "Language=Russian\r\n"
        "  ClockFormat = 1\r\n"
        "; the date\r\n"
        "DateFormat=2\r\n"
        "\r\n"
        "[Phone]\r\n"
        "SpColorPath=/a/\r\n"
        "[options]\r\n"
        "ClockFormat=5\r\n");
    ProfileFile ini(path());
    ASSERT_TRUE(ini.writeInt("OPTIONS", "clockformat", 0));
    EXPECT_EQ(contents(), QByteArray("; settings of Tintora\r\n"
                                     "[Options]\r\n"
                                     "Language=Russian\r\n"
                                     "  ClockFormat =0\r\n"
                                     "; the date\r\n"
                                     "DateFormat=2\r\n"
                                     "\r\n"
                                     "[Phone]\r\n"
                                     "SpColorPath=/a/\r\n"
                                     "[options]\r\n"
                                     "ClockFormat=5\r\n"));
}

TEST_F(ProfileFileTest, NewKeyJoinsItsSectionAndNewSectionGoesLast)
{
    put("[Options]\nLanguage=English\n\n; phone\n[Phone]\nSpColorPath=/a/");
    ProfileFile ini(path());
    ASSERT_TRUE(ini.writeString("Options", "ProviderName", "MTS"));
    ASSERT_TRUE(ini.writeString("Phone", "Model", "V3"));
    ASSERT_TRUE(ini.writeInt("Extra", "Count", 3));
    EXPECT_EQ(contents(), QByteArray("[Options]\nLanguage=English\nProviderName=MTS\n\n; phone\n"
                                     "[Phone]\nSpColorPath=/a/\nModel=V3\n\n[Extra]\nCount=3\n"));
}

TEST_F(ProfileFileTest, WritingCreatesTheFileAndItsFolder)
{
    ProfileFile ini(dir.filePath("config/tintora/tintora.ini"));
    ASSERT_TRUE(ini.writeString("Options", "Language", "English"));
    EXPECT_EQ(ProfileFile(ini.path()).readString("Options", "Language", ""), "English");
}

TEST_F(ProfileFileTest, ValuesAreWritten1251WhenTheyFitElseUtf8)
{
    ProfileFile ini(path());
    ASSERT_TRUE(ini.writeString("O", "Ru", "Билайн"));
    ASSERT_TRUE(ini.writeString("O", "Fr", "Café ✓"));
    EXPECT_TRUE(contents().contains("Ru=\xC1\xE8\xEB\xE0\xE9\xED\n"));
    EXPECT_TRUE(contents().contains("Fr=Caf\xC3\xA9 \xE2\x9C\x93\n"));
    EXPECT_EQ(ini.readString("O", "Ru", ""), "Билайн");
    EXPECT_EQ(ini.readString("O", "Fr", ""), "Café ✓");
}

TEST_F(ProfileFileTest, Cp1251TextThatLooksLikeUtf8ReadsBackUnchanged)
{
    // In Windows-1251 "РЁ" is D0 A8, which UTF-8 would read as "Ш".
    ProfileFile ini(path());
    ASSERT_TRUE(ini.writeString("O", "Name", "РЁ"));
    EXPECT_EQ(ini.readString("O", "Name", ""), "РЁ");
}

TEST_F(ProfileFileTest, LineBreaksCannotAddKeys)
{
    ProfileFile ini(path());
    ASSERT_TRUE(ini.writeString("Options", "ProviderName", "A\n[Phone]\nSpColorPath=/x/"));
    EXPECT_EQ(ini.readString("Phone", "SpColorPath", "default"), "default");
}

TEST_F(ProfileFileTest, FailedWritesReturnFalseAndChangeNothing)
{
    QFile blocker(dir.filePath("plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));

    // A path under a plain file and a path that is a folder fail even for the superuser.
    for (const QString &target : {dir.filePath("plain/tintora.ini"), dir.filePath("folder.ini")}) {
        ProfileFile ini(target);
        EXPECT_FALSE(ini.writeString("Options", "Language", "English")) << target.toStdString();
        EXPECT_EQ(ini.readString("Options", "Language", "none"), "none");
    }
    EXPECT_EQ(QFileInfo(dir.filePath("plain")).size(), 0);

    // A disk that fills up part-way through the rewrite.
    put("[Options]\nLanguage=Russian\nProviderName=BEE LINE\n");
    ProfileFile ini(path());
    {
        const test::FileSizeLimit full(20);
        EXPECT_FALSE(ini.writeString("Options", "Language", "English"));
    }
    EXPECT_EQ(contents(), QByteArray("[Options]\nLanguage=Russian\nProviderName=BEE LINE\n"));
}

TEST_F(ProfileFileTest, ReadOnlyFolderOrFileRefusesTheWrite)
{
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    put("[Options]\nLanguage=Russian\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    // Permissions do not stop root; the immutable flag does.
    std::optional<test::ImmutableFile> lockedFolder, lockedFile;
    if (!PermissionsApply(folder)) {
        lockedFolder.emplace(folder);
        lockedFile.emplace(path());
        if (!lockedFolder->isSet() || !lockedFile->isSet())
            GTEST_SKIP() << "neither permissions nor the immutable flag apply here";
    }

    ProfileFile inFolder(folder + "/tintora.ini");
    EXPECT_FALSE(inFolder.writeString("Options", "Language", "English"));
    EXPECT_FALSE(QFileInfo::exists(inFolder.path()));

    ProfileFile readOnly(path());
    EXPECT_FALSE(readOnly.writeString("Options", "Language", "English"));
    EXPECT_EQ(contents(), QByteArray("[Options]\nLanguage=Russian\n"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A settings file of a megabyte and more is no file anyone wrote by hand:
// reading it would cost memory and seconds, rewriting it would lose it.
TEST_F(ProfileFileTest, FileOverAMegabyteIsNeitherReadNorRewritten)
{
    const QByteArray head = "[Options]\nProviderName=MTS\n";
    for (const qint64 size : {ProfileFile::kMaxFileSize, ProfileFile::kMaxFileSize + 1}) {
        const QByteArray bytes = head + QByteArray(size - head.size(), ';');
        put(bytes);
        ProfileFile ini(path());
        const bool tooLarge = size > ProfileFile::kMaxFileSize;
        EXPECT_EQ(ini.isTooLarge(), tooLarge) << size;
        EXPECT_EQ(ini.readString("Options", "ProviderName", "BEE LINE"), tooLarge ? "BEE LINE" : "MTS") << size;
        EXPECT_EQ(ini.writeString("Options", "Language", "English"), !tooLarge) << size;
        if (tooLarge) {
            EXPECT_EQ(contents(), bytes);
        }
    }
}

TEST_F(ProfileFileTest, FolderInPlaceOfTheFileIsNeitherReadNorReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("tintora.ini"));
    ProfileFile ini(path());
    EXPECT_FALSE(ini.isTooLarge());
    EXPECT_EQ(ini.readInt("Options", "ClockFormat", 7), 7);
    EXPECT_FALSE(ini.writeInt("Options", "ClockFormat", 1));
    EXPECT_EQ(ini.lastError(), qt_error_string(EISDIR));
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

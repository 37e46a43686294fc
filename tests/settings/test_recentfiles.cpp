#include "settings/profilefile.h"
#include "settings/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

// The list a person sees under File > Recent files: newest first, each file once, eight at
// most, and the same in tintora.ini after a restart.
TEST(RecentFilesTest, NewestFirstEachFileOnceAtMostEight)
{
    QTemporaryDir folder;
    const auto path = [&](int n) { return folder.filePath(QStringLiteral("s%1.sch").arg(n)); };
    RecentFiles recent;
    for (int n = 1; n <= 9; ++n)
        recent.add(path(n));
    ASSERT_EQ(recent.paths().size(), RecentFiles::kCapacity);
    EXPECT_EQ(recent.paths().first(), path(9));
    EXPECT_EQ(recent.paths().last(), path(2));

    // The same file by another spelling moves up instead of showing twice.
    recent.add(folder.filePath(QStringLiteral("sub/../s5.sch")));
    EXPECT_EQ(recent.paths().size(), RecentFiles::kCapacity);
    EXPECT_EQ(recent.paths().first(), path(5));
    EXPECT_EQ(recent.paths().count(path(5)), 1);

    recent.remove(path(9));
    EXPECT_FALSE(recent.paths().contains(path(9)));
    EXPECT_EQ(recent.paths().size(), RecentFiles::kCapacity - 1);
}

TEST(RecentFilesTest, SurvivesTheSettingsFileAndLeavesOtherKeysAlone)
{
    QTemporaryDir folder;
    const QString ini = folder.filePath(QStringLiteral("tintora.ini"));
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Options]\r\nLanguage=English\r\n[Recent]\r\nFile1=\r\nFile3=/old/c.sch\r\n");
    file.close();

    ProfileFile profile(ini);
    RecentFiles recent = RecentFiles::Read(profile);
    EXPECT_EQ(recent.paths(), QStringList{"/old/c.sch"});

    recent.add(QStringLiteral("/new/a.sch"));
    ASSERT_TRUE(recent.write(profile));
    EXPECT_EQ(RecentFiles::Read(profile).paths(),
              QStringList({QDir::cleanPath(QStringLiteral("/new/a.sch")), "/old/c.sch"}));
    EXPECT_EQ(profile.readString("Recent", "File3", "<missing>"), "");
    EXPECT_EQ(profile.readString("Options", "Language", ""), "English");
}

}  // namespace
}  // namespace tintora::test

#include "packagetree.h"
#include "toolrun.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

using namespace tintora::test;

namespace {

const char *const kId = "app.tintora.Tintora";
// The phone-link library: in the multiarch folder in the package, in lib/ under a prefix.
const char *const kPackageLibrary = "usr/lib/" TINTORA_LIBRARY_ARCHITECTURE "/tintora/libp2kapi.so";
const char *const kPrefixLibrary = "usr/lib/tintora/libp2kapi.so";

QStringList ExpectedFiles(const char *library)
{
    QStringList files = {
        "usr/bin/tintora",
        "usr/bin/tintora-cli",
        library,
        "usr/lib/udev/rules.d/70-tintora-p2k.rules",
        QStringLiteral("usr/share/applications/%1.desktop").arg(kId),
        "usr/share/doc/tintora/changelog.gz",
        "usr/share/doc/tintora/copyright",
        QStringLiteral("usr/share/icons/hicolor/scalable/apps/%1.svg").arg(kId),
        "usr/share/man/man1/tintora-cli.1.gz",
        "usr/share/man/man1/tintora.1.gz",
        QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(kId),
        QStringLiteral("usr/share/mime/packages/%1.xml").arg(kId),
    };
    for (int size : {16, 32, 48, 64, 128, 256})
        files << QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kId);
    files.sort();
    return files;
}

class PackageTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(DebFile().isEmpty())
            << "no package: run the whole suite, or ctest -R packaging, which builds it first";
    }
};

}  // namespace

// A test program, the phone simulator or a stray build file in the package or the README's
// installation, or a desktop file, the phone-link library or the udev rule left out of either,
// shows here.
TEST_F(PackageTest, HoldsThePrograms_TheDesktopFilesAndNothingElse)
{
    EXPECT_EQ(FilesBelow(PackageRoot()).join('\n').toStdString(),
              ExpectedFiles(kPackageLibrary).join('\n').toStdString());
    QStringList prefixed;
    for (const QString &file : FilesBelow(PrefixRoot()))
        prefixed << QStringLiteral("usr/") + file;
    EXPECT_EQ(prefixed.join('\n').toStdString(),
              ExpectedFiles(kPrefixLibrary).join('\n').toStdString())
        << "cmake --install --prefix ... --strip";
}

// Unstripped programs are some thirty times larger; the stripped ones must still run from
// where the package puts them, the phone-link library included.
TEST_F(PackageTest, ProgramsAreStrippedAndRun)
{
    QStringList programs = {Installed(kPackageLibrary),
                            PrefixRoot() + QLatin1String(kPrefixLibrary).mid(3)};
    for (const char *program : {"bin/tintora", "bin/tintora-cli"})
        programs << Installed(QStringLiteral("usr/") + program)
                 << PrefixRoot() + QStringLiteral("/") + program;
    for (const QString &path : programs) {
        const ToolRun file = RunTool(QStringLiteral("file"), {QStringLiteral("-b"), path});
        ASSERT_EQ(file.exitCode, 0) << file.output.toStdString();
        EXPECT_TRUE(file.output.contains(QStringLiteral(", stripped")))
            << path.toStdString() << ": " << file.output.toStdString();
        EXPECT_LT(QFileInfo(path).size(), TINTORA_STRIPPED_LIMIT_MIB * 1024 * 1024) << path.toStdString();
    }
    const ToolRun version =
        RunTool(Installed(QStringLiteral("usr/bin/tintora-cli")), {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.trimmed().toStdString(), "tintora-cli " TINTORA_VERSION);
    // Each program finds the library where its installation put it.
    for (const QString &cli : {Installed(QStringLiteral("usr/bin/tintora-cli")),
                               PrefixRoot() + QStringLiteral("/bin/tintora-cli")}) {
        const ToolRun probe = RunTool(cli, {QStringLiteral("phone"), QStringLiteral("probe")});
        EXPECT_TRUE(probe.output.contains(QStringLiteral("udev rule")))
            << cli.toStdString() << ": " << probe.output.toStdString();
    }
}

// dpkg-shlibdeps must have found Qt, libjpeg, Little CMS and libimagequant; the window-system
// plugins and Qt's translations are only recommended by Qt, so the package names them; the
// maintainer scripts register the file type and the desktop entry.
TEST_F(PackageTest, ControlFieldsAndMaintainerScripts)
{
    const ToolRun fields = RunTool(QStringLiteral("dpkg-deb"),
                                   {QStringLiteral("-f"), DebFile(), QStringLiteral("Package"),
                                    QStringLiteral("Version"), QStringLiteral("Depends")});
    ASSERT_EQ(fields.exitCode, 0) << fields.output.toStdString();
    EXPECT_TRUE(fields.output.contains(QStringLiteral("Package: tintora\n")));
    EXPECT_TRUE(fields.output.contains(QStringLiteral("Version: " TINTORA_VERSION "\n")));
    for (const char *dependency : {"libqt6widgets6", "libqt6gui6", "libqt6core6",
                                   "libjpeg62-turbo", "libusb-1.0-0", "liblcms2-2",
                                   "libimagequant0", "libc6", "qt6-qpa-plugins",
                                   "qt6-translations-l10n"})
        EXPECT_TRUE(fields.output.contains(QLatin1String(dependency)))
            << dependency << " missing from " << fields.output.toStdString();

    QTemporaryDir control;
    ASSERT_EQ(RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-e"), DebFile(), control.path()})
                  .exitCode,
              0);
    for (const char *script : {"postinst", "postrm"}) {
        const QString path = control.filePath(QLatin1String(script));
        ASSERT_TRUE(QFileInfo(path).isExecutable()) << script;
        EXPECT_EQ(RunTool(QStringLiteral("sh"), {QStringLiteral("-n"), path}).exitCode, 0);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        EXPECT_TRUE(text.contains("update-mime-database /usr/share/mime")) << script;
        EXPECT_TRUE(text.contains("update-desktop-database -q /usr/share/applications")) << script;
    }
}

// Debian's own checker: its errors fail the test, and its whole report is printed.
TEST_F(PackageTest, LintianReportsNoErrors)
{
    if (!HaveTool(QStringLiteral("lintian")))
        GTEST_SKIP() << "lintian is not installed";
    const ToolRun lintian = RunTool(QStringLiteral("lintian"),
                                    {QStringLiteral("--allow-root"), DebFile()});
    std::cout << lintian.output.toStdString();
    QStringList errors;
    for (const QString &line : lintian.output.split('\n'))
        if (line.startsWith(QStringLiteral("E: ")))
            errors << line;
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    EXPECT_EQ(lintian.exitCode, 0) << lintian.output.toStdString();
}

#include "packagetree.h"
#include "toolrun.h"

#include "ui/applicationlook.h"
#include "ui/applicationtitle.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace tintora;
using namespace tintora::test;

namespace {

const QString kMimeType = QStringLiteral("application/x-tintora-scheme");
const QString kId = QString::fromLatin1(kApplicationId);

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The [Desktop Entry] keys of a desktop file.
QMap<QString, QString> DesktopKeys(const QString &path)
{
    QMap<QString, QString> keys;
    for (const QString &line : QString::fromUtf8(ReadAll(path)).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.startsWith('#'))
            keys.insert(line.left(equals), line.mid(equals + 1));
    }
    return keys;
}

// The texts of every element named name, in document order.
QStringList ElementTexts(const QString &path, const QString &name)
{
    QStringList texts;
    QXmlStreamReader xml(ReadAll(path));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return texts;
}

QString AttributeOf(const QString &path, const QString &element, const QString &attribute)
{
    QXmlStreamReader xml(ReadAll(path));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element)
            return xml.attributes().value(attribute).toString();
    return {};
}

QString DesktopFile() { return Installed("usr/share/applications/" + kId + ".desktop"); }
QString MetainfoFile() { return Installed("usr/share/metainfo/" + kId + ".metainfo.xml"); }
QString MimeFile() { return Installed("usr/share/mime/packages/" + kId + ".xml"); }

class DesktopTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(DesktopFile()))
            << "no package: run the whole suite, or ctest -R packaging, which builds it first";
    }
};

}  // namespace

// The entry must pass the checker without even a hint, name our file type and icon, and
// carry the window class Qt gives the window (the application name), or docks show the
// running editor as a stranger.
TEST_F(DesktopTest, EntryValidatesAndMatchesTheWindowTheIconAndTheFileType)
{
    const ToolRun validate = RunTool(QStringLiteral("desktop-file-validate"), {DesktopFile()});
    EXPECT_EQ(validate.exitCode, 0);
    EXPECT_EQ(validate.output.trimmed().toStdString(), "");

    const QMap<QString, QString> keys = DesktopKeys(DesktopFile());
    EXPECT_EQ(keys.value("StartupWMClass"), QString::fromLatin1(kApplicationTitle));
    EXPECT_EQ(keys.value("Icon"), kId);
    EXPECT_TRUE(keys.value("MimeType").split(';').contains(kMimeType));
    EXPECT_EQ(keys.value("Categories"), QStringLiteral("Graphics;"));
    EXPECT_FALSE(keys.value("Keywords").isEmpty());
    EXPECT_FALSE(keys.value("Keywords[ru]").isEmpty());
    EXPECT_TRUE(keys.value("Exec").startsWith(QStringLiteral("tintora ")));
}

// The metadata must validate offline and agree with what the package holds: its desktop
// entry, programs and file type, the version the programs print, and the screenshots the
// build rendered.
TEST_F(DesktopTest, MetainfoValidatesAndAgreesWithThePackage)
{
    const ToolRun validate = RunTool(QStringLiteral("appstreamcli"),
                                     {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                      MetainfoFile()});
    EXPECT_EQ(validate.exitCode, 0) << validate.output.toStdString();
    for (const QString &line : validate.output.split('\n'))
        EXPECT_FALSE(line.startsWith(QStringLiteral("E:")) || line.startsWith(QStringLiteral("W:")))
            << line.toStdString();

    EXPECT_EQ(ElementTexts(MetainfoFile(), "id"), QStringList{kId});
    const QStringList launchables = ElementTexts(MetainfoFile(), "launchable");
    ASSERT_EQ(launchables.size(), 1);
    EXPECT_EQ(Installed("usr/share/applications/" + launchables.first()), DesktopFile());
    for (const QString &binary : ElementTexts(MetainfoFile(), "binary"))
        EXPECT_TRUE(QFileInfo(Installed("usr/bin/" + binary)).isExecutable()) << binary.toStdString();
    EXPECT_EQ(ElementTexts(MetainfoFile(), "mediatype"), QStringList{kMimeType});
    EXPECT_EQ(AttributeOf(MetainfoFile(), "release", "version"),
              QStringLiteral(TINTORA_VERSION));
    EXPECT_EQ(ElementTexts(MetainfoFile(), "project_license"),
              QStringList{QStringLiteral("GPL-3.0-or-later")});

    const QStringList images = ElementTexts(MetainfoFile(), "image");
    ASSERT_FALSE(images.isEmpty());
    for (const QString &url : images) {
        const QString shot = QStringLiteral(TINTORA_SCREENSHOT_DIR "/") + url.section('/', -1);
        const QImage image(shot);
        ASSERT_FALSE(image.isNull()) << shot.toStdString();
        EXPECT_GE(image.width(), 422) << shot.toStdString();
        EXPECT_GE(image.height(), 522) << shot.toStdString();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 50) << shot.toStdString() << " looks blank";
    }
}

// A scheme is ours whatever its name, by its first six bytes; a file named spcolor.sch is ours
// by its name; other programs' .sch files (schematics, XML schemas) are not. Checked with
// GLib's detection, which file managers use, on a private data folder that holds only what
// the package installs; and a double-click must find the editor.
TEST_F(DesktopTest, SchemesAreOursByContentAndOtherSchFilesAreNot)
{
    const ToolRun lint = RunTool(QStringLiteral("xmllint"), {QStringLiteral("--noout"), MimeFile()});
    EXPECT_EQ(lint.exitCode, 0) << lint.output.toStdString();

    const QByteArray scheme = ReadAll(QStringLiteral(TINTORA_SCREENSHOT_DIR "/sample.sch"));
    ASSERT_EQ(scheme.size(), 304);
    struct Sample {
        const char *name;
        QByteArray bytes;
        bool ours;
    };
    const Sample samples[] = {
        {"aurora.bin", scheme, true},
        {"no-suffix", scheme, true},
        {"theme.sch", scheme, true},
        {"SPCOLOR.SCH", scheme, true},
        {"spcolor.sch", QByteArray(304, '\0'), true},
        {"circuit.sch", "v 20200319 2\nC 40000 40000 0 0 0 title-B.sym\n", false},
        {"schema.sch", "<?xml version=\"1.0\"?>\n<schema/>\n", false},
        {"notes.sch", "SCH notes\n", false},
    };

    QTemporaryDir files, data, empty;
    ASSERT_TRUE(QDir().mkpath(data.filePath("mime/packages")));
    ASSERT_TRUE(QDir().mkpath(data.filePath("applications")));
    ASSERT_TRUE(QFile::copy(MimeFile(), data.filePath("mime/packages/" + kId + ".xml")));
    ASSERT_TRUE(QFile::copy(DesktopFile(), data.filePath("applications/" + kId + ".desktop")));
    ToolRun update = RunTool(QStringLiteral("update-mime-database"), {data.filePath("mime")});
    ASSERT_EQ(update.exitCode, 0) << update.output.toStdString();
    update = RunTool(QStringLiteral("update-desktop-database"), {data.filePath("applications")});
    ASSERT_EQ(update.exitCode, 0) << update.output.toStdString();

    auto contentType = [&](const QString &dataHome, const QString &path) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", dataHome);
        const ToolRun info = RunTool(QStringLiteral("gio"),
                                     {QStringLiteral("info"), QStringLiteral("-a"),
                                      QStringLiteral("standard::content-type"), path},
                                     environment);
        EXPECT_EQ(info.exitCode, 0) << info.output.toStdString();
        return info.output.section(QStringLiteral("standard::content-type: "), 1).trimmed();
    };
    for (const Sample &sample : samples) {
        const QString path = files.filePath(QLatin1String(sample.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(sample.bytes);
        file.close();
        const QString type = contentType(data.path(), path);
        EXPECT_EQ(type == kMimeType, sample.ours) << sample.name << " is " << type.toStdString();
    }
    // Without the definition the same scheme is nobody's: the detection above is ours.
    EXPECT_NE(contentType(empty.path(), files.filePath("aurora.bin")), kMimeType);

    // GLib passes over entries whose program is not on the path.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", data.path());
    environment.insert("PATH", Installed("usr/bin") + ':' + environment.value("PATH"));
    const ToolRun handlers = RunTool(QStringLiteral("gio"), {QStringLiteral("mime"), kMimeType},
                                     environment);
    EXPECT_TRUE(handlers.output.contains(kId + ".desktop")) << handlers.output.toStdString();
    // xdg-open, outside a known desktop, asks xdg-mime.
    environment.remove("XDG_CURRENT_DESKTOP");
    environment.remove("DESKTOP_SESSION");
    const ToolRun opener = RunTool(QStringLiteral("xdg-mime"),
                                   {QStringLiteral("query"), QStringLiteral("default"), kMimeType},
                                   environment);
    EXPECT_EQ(opener.output.trimmed(), kId + ".desktop");
}

// Each hicolor folder must hold a picture of its own size, see-through around the drawing,
// and the scalable one a well-formed SVG.
TEST_F(DesktopTest, IconsHaveTheSizesOfTheirFolders)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path =
            Installed(QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/").arg(size) + kId + ".png");
        const QImage icon(path);
        ASSERT_FALSE(icon.isNull()) << path.toStdString();
        EXPECT_EQ(icon.size(), QSize(size, size)) << path.toStdString();
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << path.toStdString();
    }
    const QString svg = Installed("usr/share/icons/hicolor/scalable/apps/" + kId + ".svg");
    const ToolRun lint = RunTool(QStringLiteral("xmllint"), {QStringLiteral("--noout"), svg});
    EXPECT_EQ(lint.exitCode, 0) << lint.output.toStdString();
    EXPECT_EQ(AttributeOf(svg, "svg", "viewBox"), QStringLiteral("0 0 256 256"));
}

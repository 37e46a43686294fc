#include "command.h"

#include "preview/clock.h"
#include "preview/jpegpicture.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewpictures.h"
#include "scheme/colourscheme.h"
#include "ui/profilefile.h"
#include "ui/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <optional>

namespace tintora::cli {
namespace {

const char kRenderUsage[] =
    "  tintora-cli render [--scheme FILE.sch] --screen N|all --out OUT.png|DIR\n"
    "                     [--now \"YYYY-MM-DD HH:MM\"] [--ini tintora.ini]\n"
    "                     [--background PICTURE.jpg]\n"
    "                                       paint preview screen N (0..8), or all nine\n"
    "                                       into DIR as screen-0.png .. screen-8.png";

int Fail(const QString &message)
{
    QTextStream(stderr) << "tintora-cli render: " << message << '\n';
    return 1;
}

struct RenderOptions {
    QString scheme, screen, out, now, ini, background;
};

std::optional<RenderOptions> ParseOptions(const QStringList &args, QString &error)
{
    RenderOptions options;
    const std::pair<const char *, QString *> names[] = {
        {"--scheme", &options.scheme}, {"--screen", &options.screen}, {"--out", &options.out},
        {"--now", &options.now},       {"--ini", &options.ini},       {"--background", &options.background}};
    for (int i = 0; i < args.size(); i += 2) {
        QString *target = nullptr;
        for (const auto &[name, field] : names) {
            if (args[i] == QLatin1String(name))
                target = field;
        }
        if (!target) {
            error = QStringLiteral("unknown option '%1'").arg(args[i]);
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("%1 needs a value").arg(args[i]);
            return std::nullopt;
        }
        if (!target->isNull()) {
            error = QStringLiteral("%1 given twice").arg(args[i]);
            return std::nullopt;
        }
        *target = args[i + 1];
    }
    if (options.screen.isNull() || options.out.isNull()) {
        error = QStringLiteral("--screen and --out are required; usage:\n%1")
                    .arg(QString::fromUtf8(kRenderUsage));
        return std::nullopt;
    }
    return options;
}

bool LoadScheme(const QString &path, ColourScheme &scheme, QString &error)
{
    if (path.isNull()) {
        BuildDefaultScheme(scheme);
        return true;
    }
    const SchemeFileRead read = ReadSchemeImage(path);
    if (read.outcome == LoadOutcome::NotOpened) {
        error = QStringLiteral("cannot open %1: %2").arg(path, read.reason);
        return false;
    }
    if (read.outcome == LoadOutcome::ReadFailed) {
        error = ReadFailedText(kEnglish, path, read.reason);
        return false;
    }
    if (!IsSchemeImage(read.image)) {
        error = path + ": " + NotSchemeText(kEnglish);
        return false;
    }
    DecodeScheme(scheme, read.image);
    return true;
}

bool WritePng(const QImage &image, const QString &path, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

int Render(const QStringList &args)
{
    QString error;
    const std::optional<RenderOptions> options = ParseOptions(args, error);
    if (!options)
        return Fail(error);

    std::vector<int> screens;
    if (options->screen == QLatin1String("all")) {
        for (int screen = 0; screen <= 8; ++screen)
            screens.push_back(screen);
        if (!QFileInfo(options->out).isDir())
            return Fail(QStringLiteral("%1 is not a folder").arg(options->out));
    } else {
        bool ok = false;
        const int screen = options->screen.toInt(&ok);
        if (!ok || screen < 0 || screen > 8)
            return Fail(QStringLiteral("--screen must be 0 to 8 or all, not '%1'")
                            .arg(options->screen));
        screens.push_back(screen);
    }

    QDateTime moment = QDateTime::currentDateTime();
    if (!options->now.isNull()) {
        moment = QDateTime::fromString(options->now, QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!moment.isValid())
            return Fail(QStringLiteral("--now must read \"YYYY-MM-DD HH:MM\", not '%1'")
                            .arg(options->now));
    }

    ColourScheme scheme;
    if (!LoadScheme(options->scheme, scheme, error))
        return Fail(error);

    // Without --ini every key takes its default, as from a missing file.
    if (!options->ini.isNull() && !QFileInfo(options->ini).isFile())
        return Fail(QStringLiteral("cannot open %1").arg(options->ini));
    Settings settings = ReadSettings(
        ProfileFile(options->ini.isNull() ? QStringLiteral(":/no-settings.ini") : options->ini));

    std::optional<QImage> background;
    if (!options->background.isNull()) {
        background = LoadJpegScaled(options->background, 128, 128, &error);
        if (!background)
            return Fail(error);
    }

    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"));
    const PreviewPictures pictures = LoadPreviewPictures();
    const FixedClock clock(moment);
    Preview preview(scheme, settings.preview, clock, pictures);
    if (background)
        preview.setBackgroundPicture(*background);

    for (int screen : screens) {
        preview.RepaintPreview(screen);
        const QString path = screens.size() == 1
                                 ? options->out
                                 : QDir(options->out).filePath(
                                       QStringLiteral("screen-%1.png").arg(screen));
        if (!WritePng(preview.image(), path, error))
            return Fail(error);
    }
    return 0;
}

const Registration render({"render", kRenderUsage, Render});

}  // namespace
}  // namespace tintora::cli

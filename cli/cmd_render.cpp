#include "command.h"
#include "failure.h"
#include "inputfiles.h"

#include "preview/clock.h"
#include "preview/jpegwriter.h"
#include "preview/preview.h"
#include "preview/previewfont.h"
#include "preview/previewpictures.h"
#include "scheme/catalogue.h"
#include "scheme/colourscheme.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <optional>

namespace tintora::cli {
namespace {

const char kRenderUsage[] =
    "  tintora-cli render [--scheme FILE.sch] --screen N|all --out OUT.png|OUT.jpg|-|DIR\n"
    "                     [--now \"YYYY-MM-DD HH:MM\"] [--ini tintora.ini]\n"
    "                     [--background PICTURE.jpg]\n"
    "                                       paint preview screen N (0..7) in the format\n"
    "                                       of OUT's extension (PNG to standard output for -),\n"
    "                                       or all eight into DIR (made when missing) as\n"
    "                                       screen-0.png .. screen-7.png";

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

// Every picture is encoded before the first file is touched.
std::optional<QByteArray> Encode(const QImage &image, const QByteArray &format)
{
    // Ours, since not every build of Qt has a JPEG writer.
    if (format == "jpg" || format == "jpeg")
        return EncodeJpeg(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format.constData()))
        return std::nullopt;
    return bytes;
}

// The format an --out file's extension names, PNG without one; nullopt when Qt
// cannot write the named one.
std::optional<QByteArray> FormatOf(const QString &out, QString &error)
{
    const QByteArray suffix = QFileInfo(out).suffix().toLower().toUtf8();
    if (suffix.isEmpty())
        return QByteArray("png");
    QList<QByteArray> known = QImageWriter::supportedImageFormats();
    for (const QByteArray &jpeg : {QByteArray("jpeg"), QByteArray("jpg")}) {
        if (!known.contains(jpeg))
            known << jpeg;
    }
    std::sort(known.begin(), known.end());
    if (known.contains(suffix))
        return suffix;
    QStringList names;
    for (const QByteArray &format : known)
        names << QString::fromLatin1(format);
    error = QStringLiteral("cannot write .%1 pictures; the extension of --out must be one of: %2")
                .arg(QString::fromUtf8(suffix), names.join(QStringLiteral(", ")));
    return std::nullopt;
}

int Render(const QStringList &args)
{
    QString error;
    const std::optional<RenderOptions> options = ParseOptions(args, error);
    if (!options)
        return Fail(error);

    std::vector<int> screens;
    QByteArray format("png");
    if (options->screen == QLatin1String("all")) {
        for (int screen = 0; screen <= 8; ++screen)
            screens.push_back(screen);
        if (IsStandardOutput(options->out))
            return Fail(QStringLiteral("--screen all writes eight pictures into a folder; standard output "
                                       "takes one, so give --out DIR"));
        // A folder that is not there yet is made once the pictures are ready.
        if (QFileInfo::exists(options->out) && !QFileInfo(options->out).isDir())
            return Fail(QStringLiteral("%1 is not a folder").arg(options->out));
    } else {
        std::optional<QByteArray> named = FormatOf(options->out, error);
        if (!named)
            return Fail(error);
        format = *named;
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
    if (options->scheme.isNull()) {
        BuildDefaultScheme(scheme);
    } else if (std::optional<ColourScheme> read = ReadSchemeArgument(options->scheme, error)) {
        scheme = *read;
    } else {
        return Fail(error);
    }

    std::optional<Settings> settings = ReadSettingsArgument(options->ini, error);
    if (!settings)
        return Fail(error);

    std::optional<QImage> background;
    if (!options->background.isNull()) {
        background = ReadPictureArgument(options->background, error);
        if (!background)
            return Fail(error);
    }

    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"));
    const PreviewPictures pictures = LoadPreviewPictures();
    const FixedClock clock(moment);
    Preview preview(scheme, settings->preview, clock, pictures);
    if (background)
        preview.setBackgroundPicture(*background);

    QStringList inputs;
    for (const QString &input : {options->scheme, options->ini, options->background}) {
        if (!input.isNull())
            inputs << input;
    }
    std::vector<std::pair<QString, QByteArray>> files;
    for (int screen : screens) {
        preview.RepaintPreview(screen);
        // Others lists elements the phone draws on no screen of its own, as the window's
        // export knows: a picture of it would show none of them.
        if (preview.elementMap().isEmpty()) {
            const QString named = QStringLiteral("screen %1, \"%2\"").arg(screen).arg(EnglishScreenCaption(screen));
            const QString why = QStringLiteral("it is not a phone screen and draws none of its elements");
            if (screens.size() == 1)
                return Fail(QStringLiteral("cannot paint %1: %2").arg(named, why));
            Warn(QStringLiteral("%1 left out: %2").arg(named, why));
            continue;
        }
        const QString path = screens.size() == 1
                                 ? options->out
                                 : QDir(options->out).filePath(
                                       QStringLiteral("screen-%1.png").arg(screen));
        if (const QString reason = InputAsOutputReason(path, inputs); !reason.isEmpty())
            return Fail(reason);
        std::optional<QByteArray> picture = Encode(preview.image(), format);
        if (!picture)
            return Fail(QStringLiteral("cannot encode %1").arg(path));
        files.emplace_back(path, std::move(*picture));
    }
    if (screens.size() > 1 && !QDir().mkpath(options->out))
        return Fail(QStringLiteral("cannot make the folder %1").arg(options->out));
    for (const auto &[path, bytes] : files) {
        if (const int status = WriteOutput(path, bytes))
            return status;
    }
    return 0;
}

const Registration render({"render", kRenderUsage, Render});

}  // namespace
}  // namespace tintora::cli

#include "arguments.h"
#include "command.h"
#include "failure.h"
#include "inputfiles.h"

#include "design/contrast.h"
#include "design/suggest.h"
#include "preview/previewfont.h"
#include "scheme/catalogue.h"
#include "ui/wording.h"

#include <QTextStream>

#include <algorithm>
#include <map>
#include <optional>

namespace tintora::cli {
namespace {

const char kCheckUsage[] =
    "  tintora-cli check FILE.sch [--background PICTURE.jpg] [--ini tintora.ini] [--json]\n"
    "                                       list the texts below 4.5:1 contrast (the clock's\n"
    "                                       hands below 3:1) on any screen, worst first;\n"
    "                                       exit status 1 when there is one, 2 when the\n"
    "                                       check cannot run";
const char kSuggestUsage[] =
    "  tintora-cli suggest PICTURE.jpg [OUT.sch|-] [--dark|--light] [--variant N] [--force]\n"
    "                                       write a scheme coloured from the picture, every\n"
    "                                       text readable on it; N chooses another one";

std::optional<QImage> ReadBackground(const std::map<QString, QString> &values, const QString &option,
                                     QString &error)
{
    const auto found = values.find(option);
    if (found == values.end())
        return QImage();
    return ReadPictureArgument(found->second, error);
}

QString JsonString(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// One weak place to a line, as dump writes its entries.
QString JsonReport(const std::vector<ContrastPlace> &weak)
{
    QString json = QStringLiteral("{\"weak\": [");
    for (std::size_t i = 0; i < weak.size(); ++i) {
        const ContrastPlace &place = weak[i];
        json += QStringLiteral("\n  {\"element\": %1, \"name\": %2, \"screen\": %3, \"screenName\": %4, "
                               "\"x\": %5, \"y\": %6, \"ratio\": %7, \"apca\": %8, \"bound\": %9}")
                    .arg(place.element)
                    .arg(JsonString(EnglishElementName(place.element)))
                    .arg(place.screen)
                    .arg(JsonString(EnglishScreenCaption(place.screen)))
                    .arg(place.x)
                    .arg(place.y)
                    .arg(RatioText(place.ratio).chopped(2), QString::number(place.apca, 'f', 1),
                         QString::number(place.bound, 'g', 2));
        if (i + 1 < weak.size())
            json += QLatin1Char(',');
    }
    json += weak.empty() ? QStringLiteral("]}\n") : QStringLiteral("\n]}\n");
    return json;
}

// As diff and grep: 1 is a text below its bound, 2 a check that could not run.
constexpr int kCheckCannotRun = 2;

int Check(const QStringList &args)
{
    QString error;
    const std::optional<Arguments> split =
        Split(args, {QStringLiteral("--background"), QStringLiteral("--ini")}, {QStringLiteral("--json")}, error);
    if (!split)
        return Fail(error, kCheckCannotRun);
    if (split->files.size() != 1)
        return UsageError(kCheckUsage, kCheckCannotRun);
    const std::optional<ColourScheme> scheme = ReadSchemeArgument(split->files[0], error);
    if (!scheme)
        return Fail(error, kCheckCannotRun);
    const auto ini = split->values.find(QStringLiteral("--ini"));
    const std::optional<Settings> settings =
        ReadSettingsArgument(ini == split->values.end() ? QString() : ini->second, error);
    if (!settings)
        return Fail(error, kCheckCannotRun);
    const std::optional<QImage> background = ReadBackground(split->values, QStringLiteral("--background"), error);
    if (!background)
        return Fail(error, kCheckCannotRun);
    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"), kCheckCannotRun);

    ContrastChecker checker(settings->preview);
    checker.setBackground(*background);
    std::vector<ContrastPlace> weak = checker.check(*scheme);
    std::erase_if(weak, [](const ContrastPlace &place) { return !place.weak(); });
    QTextStream out(stdout);
    if (split->flags.contains(QStringLiteral("--json"))) {
        out << JsonReport(weak);
    } else {
        for (const ContrastPlace &place : weak)
            out << ContrastLine(place) << '\n';
    }
    return weak.empty() ? 0 : 1;
}

int Suggest(const QStringList &args)
{
    QString error;
    std::optional<Arguments> split =
        Split(args, {QStringLiteral("--variant")},
              {QStringLiteral("--dark"), QStringLiteral("--light"), QStringLiteral("--force")}, error);
    if (!split)
        return Fail(error);
    OutputDefaultsToStandardOutput(*split, 2);
    const bool dark = split->flags.contains(QStringLiteral("--dark"));
    const bool light = split->flags.contains(QStringLiteral("--light"));
    if (split->files.size() != 2 || (dark && light))
        return UsageError(kSuggestUsage);
    const QString &picturePath = split->files[0], &out = split->files[1];
    if (const QString reason =
            RefusedSchemeOutputReason(out, {picturePath}, split->flags.contains(QStringLiteral("--force")));
        !reason.isEmpty())
        return Fail(reason);
    int variant = 0;
    if (const auto found = split->values.find(QStringLiteral("--variant")); found != split->values.end()) {
        bool ok = false;
        variant = found->second.toInt(&ok);
        if (!ok || variant < 0)
            return Fail(QStringLiteral("--variant must be a whole number from 0, not '%1'").arg(found->second));
    }
    const SchemeTone tone = dark ? SchemeTone::Dark : light ? SchemeTone::Light : SchemeTone::AsPicture;

    const std::optional<QImage> picture = ReadPictureArgument(picturePath, error);
    if (!picture)
        return Fail(error);
    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"));
    ColourScheme base;
    BuildDefaultScheme(base);
    std::optional<ColourScheme> scheme = SuggestScheme(base, *picture, DefaultSettings().preview, tone, variant);
    if (!scheme)
        return Fail(NoReadableSuggestionText());
    return WriteSchemeImage(out, EncodeScheme(*scheme));
}

const Registration check({"check", kCheckUsage, Check, kCheckCannotRun});
const Registration suggest({"suggest", kSuggestUsage, Suggest});

}  // namespace
}  // namespace tintora::cli

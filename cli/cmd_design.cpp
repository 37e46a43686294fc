#include "arguments.h"
#include "command.h"
#include "failure.h"
#include "inputfiles.h"
#include "schemejson.h"

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
    "                    [--all-states] [--bound 4.5|7|lc60|lc75]\n"
    "                                       list the texts below 4.5:1 contrast (the clock's\n"
    "                                       hands below 3:1, a highlight or pressed key below\n"
    "                                       3:1 against what it sits on) on any screen, worst\n"
    "                                       first; --all-states in every state of the phone;\n"
    "                                       exit status 1 when there is one, 2 when the\n"
    "                                       check cannot run";
const char kSuggestUsage[] =
    "  tintora-cli suggest PICTURE.jpg [OUT.sch|-] [--dark|--light] [--variant N] [--ini tintora.ini]\n"
    "                    [--force]\n"
    "                                       write a scheme coloured from the picture, every\n"
    "                                       text readable on it in every state of the phone;\n"
    "                                       N chooses another one; exit status 3 when it is\n"
    "                                       written with elements below their bound, named on\n"
    "                                       standard error";

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

QString JsonSpot(const Spot &spot, const std::vector<PreviewSettings> &states)
{
    const PreviewSettings &s = states[spot.state];
    return QStringLiteral("{\"screen\": %1, \"screenName\": %2, \"x\": %3, \"y\": %4, \"pressedSoftKey\": %5, "
                          "\"clockFormat\": %6, \"dateFormat\": %7, \"choosedDate\": %8}")
        .arg(spot.screen)
        .arg(JsonString(EnglishScreenCaption(spot.screen)))
        .arg(spot.x)
        .arg(spot.y)
        .arg(s.PressedSoftKey)
        .arg(s.ClockFormat)
        .arg(s.DateFormat)
        .arg(s.ChoosedDate);
}

// One weak place to a line, as dump writes its entries; the states are those checked.
QString JsonReport(const std::vector<ContrastPlace> &weak, const std::vector<PreviewSettings> &states)
{
    QString json = QStringLiteral("{\"weak\": [");
    for (std::size_t i = 0; i < weak.size(); ++i) {
        const ContrastPlace &place = weak[i];
        const Spot &at = place.judged();
        json += QStringLiteral("\n  {\"element\": %1, \"name\": %2, \"screen\": %3, \"screenName\": %4, "
                               "\"x\": %5, \"y\": %6, \"ratio\": %7, \"apca\": %8, \"bound\": %9, ")
                    .arg(place.element)
                    .arg(JsonString(EnglishElementName(place.element)))
                    .arg(at.screen)
                    .arg(JsonString(EnglishScreenCaption(at.screen)))
                    .arg(at.x)
                    .arg(at.y)
                    .arg(RatioText(place.ratio).chopped(2), QString::number(place.apca, 'f', 1),
                         QString::number(place.bound, 'g', 3));
        json += QStringLiteral("\"boundIsLc\": %1, \"ratioAt\": %2, \"lcAt\": %3}")
                    .arg(place.boundIsLc ? QStringLiteral("true") : QStringLiteral("false"),
                         JsonSpot(place.ratioAt, states), JsonSpot(place.lcAt, states));
        if (i + 1 < weak.size())
            json += QLatin1Char(',');
    }
    json += weak.empty() ? QStringLiteral("]}\n") : QStringLiteral("\n]}\n");
    return json;
}

// As diff and grep: 1 is a text below its bound, 2 a check that could not run.
constexpr int kCheckCannotRun = 2;

// "--bound" as written: WCAG's ratios or APCA's Lc.
std::optional<ContrastStandard> StandardNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("4.5") || lower == QLatin1String("aa"))
        return ContrastStandard::WcagAA;
    if (lower == QLatin1String("7") || lower == QLatin1String("aaa"))
        return ContrastStandard::WcagAAA;
    if (lower == QLatin1String("lc60"))
        return ContrastStandard::ApcaLc60;
    if (lower == QLatin1String("lc75"))
        return ContrastStandard::ApcaLc75;
    return std::nullopt;
}

// The one line of a check that every text passed, after what was checked.
QString PassLine(ContrastStandard standard, int screens, int states)
{
    const double bound = ContrastBound(int(Element::MainText), standard);
    const QString reads = IsLcStandard(standard) ? QStringLiteral("Lc %1").arg(bound) : QStringLiteral("%1:1").arg(bound);
    QString line = QStringLiteral("Every text reads at %1 or more on %2 screens").arg(reads).arg(screens);
    if (states > 1)
        line += QStringLiteral(" in %1 states of the phone").arg(states);
    return line;
}

int Check(const QStringList &args)
{
    QString error;
    const std::optional<Arguments> split =
        Split(args, {QStringLiteral("--background"), QStringLiteral("--ini"), QStringLiteral("--bound")},
              {QStringLiteral("--json"), QStringLiteral("--all-states")}, error);
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
    ContrastStandard standard = ContrastStandard::WcagAA;
    if (const auto bound = split->values.find(QStringLiteral("--bound")); bound != split->values.end()) {
        const std::optional<ContrastStandard> named = StandardNamed(bound->second);
        if (!named)
            return Fail(QStringLiteral("--bound must be 4.5, 7, lc60 or lc75, not '%1'").arg(bound->second),
                        kCheckCannotRun);
        standard = *named;
    }
    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"), kCheckCannotRun);

    const bool allStates = split->flags.contains(QStringLiteral("--all-states"));
    ContrastChecker checker(settings->preview, allStates);
    checker.setBackground(*background);
    checker.setStandard(standard);
    std::vector<ContrastPlace> weak = checker.check(*scheme);
    std::erase_if(weak, [](const ContrastPlace &place) { return !place.weak(); });
    QTextStream out(stdout);
    if (split->flags.contains(QStringLiteral("--json"))) {
        out << JsonReport(weak, allStates ? AllPreviewStates(settings->preview)
                                          : std::vector{settings->preview});
    } else {
        for (const ContrastPlace &place : weak)
            out << ContrastLine(place) << '\n';
        if (weak.empty())
            out << PassLine(standard, checker.screensMeasured(), checker.stateCount()) << '\n';
    }
    return weak.empty() ? 0 : 1;
}

// Written, with places below their bound named on standard error: apart from 1, a failure.
constexpr int kSuggestedWithWeakPlaces = 3;

// What suggest wrote: the file (empty for standard output), the tone and the picture's
// main colours.
QString WrittenLine(const QString &file, SchemeTone tone, const QImage &picture)
{
    QStringList colours;
    for (const PaletteColour &entry : PicturePalette(picture, 3))
        colours << QLatin1Char('#') + HexColour(entry.colour);
    return QStringLiteral("Wrote %1: a %2 scheme from the picture's %3")
        .arg(file.isEmpty() ? QStringLiteral("the scheme to standard output") : file,
             tone == SchemeTone::Dark ? QStringLiteral("dark") : QStringLiteral("light"),
             colours.join(QStringLiteral(", ")));
}

int Suggest(const QStringList &args)
{
    QString error;
    std::optional<Arguments> split =
        Split(args, {QStringLiteral("--variant"), QStringLiteral("--ini")},
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

    const auto ini = split->values.find(QStringLiteral("--ini"));
    const std::optional<Settings> settings =
        ReadSettingsArgument(ini == split->values.end() ? QString() : ini->second, error);
    if (!settings)
        return Fail(error);
    const std::optional<QImage> picture = ReadPictureArgument(picturePath, error);
    if (!picture)
        return Fail(error);
    if (!InstallPreviewFontFromMemory())
        return Fail(QStringLiteral("the preview font cannot be loaded"));
    ColourScheme base;
    BuildDefaultScheme(base);
    std::optional<Suggestion> suggestion = SuggestScheme(base, *picture, settings->preview, tone, variant);
    if (!suggestion)
        return Fail(NoReadableSuggestionText());
    if (const int written = WriteSchemeImage(out, EncodeScheme(suggestion->scheme)); written != 0)
        return written;
    // What was written goes beside the scheme, not into it: to standard error when the
    // scheme went to standard output.
    const bool toStandardOutput = out == QLatin1String("-");
    QTextStream said(toStandardOutput ? stderr : stdout);
    said << WrittenLine(toStandardOutput ? QString() : out, suggestion->tone, *picture) << '\n';
    said.flush();
    if (suggestion->weak.empty())
        return 0;
    QTextStream err(stderr);
    for (const ContrastPlace &place : suggestion->weak)
        err << ContrastLine(place) << '\n';
    return kSuggestedWithWeakPlaces;
}

const Registration check({"check", kCheckUsage, Check, kCheckCannotRun});
const Registration suggest({"suggest", kSuggestUsage, Suggest});

}  // namespace
}  // namespace tintora::cli

#include "arguments.h"
#include "command.h"
#include "failure.h"
#include "inputfiles.h"
#include "schemejson.h"

#include "scheme/colourscheme.h"
#include "scheme/inputfile.h"
#include "ui/wording.h"

#include <QFile>
#include <QJsonDocument>
#include <QTextStream>

#include <optional>

namespace tintora::cli {

namespace {

// A scheme document is a few kilobytes; this only keeps /dev/zero and the
// like from filling memory.
constexpr qint64 kMaxJsonSize = 1 << 20;

const char kDumpUsage[] = "  tintora-cli dump FILE.sch            print a scheme as JSON";
const char kBuildUsage[] =
    "  tintora-cli build FILE.json [OUT.sch|-] [--force]\n"
    "                                       write the scheme of a JSON document\n"
    "                                       (to standard output without OUT)";
const char kDefaultUsage[] =
    "  tintora-cli default [OUT.sch|-] [--force]\n"
    "                                       write the built-in default scheme\n"
    "                                       (to standard output without OUT)";

// The files of a command that writes a scheme, and its --force; nullopt after the reason or
// the usage on standard error.
std::optional<Arguments> SplitFiles(const QStringList &args, qsizetype count, const char *usage)
{
    QString error;
    std::optional<Arguments> split = Split(args, {}, {QStringLiteral("--force")}, error);
    if (split)
        OutputDefaultsToStandardOutput(*split, count);
    if (!split)
        Fail(error);
    else if (split->files.size() != count)
        UsageError(usage);
    else
        return split;
    return std::nullopt;
}

int Dump(const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(kDumpUsage);
    const QString &path = args[0];
    QString error;
    const std::optional<ColourScheme> scheme = ReadSchemeArgument(path, error);
    if (!scheme)
        return Fail(error);
    QTextStream(stdout) << SchemeJson(*scheme);
    return 0;
}

int Build(const QStringList &args)
{
    const std::optional<Arguments> split = SplitFiles(args, 2, kBuildUsage);
    if (!split)
        return 1;
    const QString &input = split->files[0], &out = split->files[1];
    if (IsSpecialFile(input))
        return Fail(NotRegularFileText(input));
    if (const QString reason = RefusedSchemeOutputReason(out, {input}, !split->flags.isEmpty()); !reason.isEmpty())
        return Fail(reason);
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(NotOpenedText(input, file.errorString()));
    const QByteArray bytes = file.read(kMaxJsonSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Fail(ReadFailedText(input, file.errorString()));
    if (bytes.size() > kMaxJsonSize)
        return Fail(input + ": too large for a scheme document");

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return Fail(QStringLiteral("%1: not valid JSON: %2 at offset %3")
                        .arg(input, error.errorString())
                        .arg(error.offset));
    }
    QString broken = DuplicatedKeyRule(bytes);
    if (!broken.isEmpty())
        return Fail(input + ": " + broken);
    std::optional<ColourScheme> scheme = SchemeFromJson(document, broken);
    if (!scheme)
        return Fail(input + ": " + broken);
    return WriteSchemeImage(out, EncodeScheme(*scheme));
}

int Default(const QStringList &args)
{
    const std::optional<Arguments> split = SplitFiles(args, 1, kDefaultUsage);
    if (!split)
        return 1;
    const QString &out = split->files[0];
    if (const QString reason = RefusedSchemeOutputReason(out, {}, !split->flags.isEmpty()); !reason.isEmpty())
        return Fail(reason);
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    return WriteSchemeImage(out, EncodeScheme(scheme));
}

const Registration dump({"dump", kDumpUsage, Dump});
const Registration build({"build", kBuildUsage, Build});
const Registration defaultScheme({"default", kDefaultUsage, Default});

}  // namespace

}  // namespace tintora::cli

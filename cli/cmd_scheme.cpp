#include "command.h"
#include "failure.h"
#include "inputfiles.h"
#include "schemejson.h"

#include "scheme/colourscheme.h"
#include "scheme/inputfile.h"

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
const char kBuildUsage[] = "  tintora-cli build FILE.json OUT.sch  write the scheme of a JSON document";
const char kDefaultUsage[] = "  tintora-cli default OUT.sch          write the built-in default scheme";

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
    if (args.size() != 2)
        return UsageError(kBuildUsage);
    const QString &input = args[0];
    const QString refused = RefusedInputReason(input, kEnglish);
    if (!refused.isEmpty())
        return Fail(NotOpenedText(kEnglish, input, refused));
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(NotOpenedText(kEnglish, input, file.errorString()));
    const QByteArray bytes = file.read(kMaxJsonSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Fail(ReadFailedText(kEnglish, input, file.errorString()));
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
    return WriteSchemeImage(args[1], EncodeScheme(*scheme));
}

int Default(const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(kDefaultUsage);
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    return WriteSchemeImage(args[0], EncodeScheme(scheme));
}

const Registration dump({"dump", kDumpUsage, Dump});
const Registration build({"build", kBuildUsage, Build});
const Registration defaultScheme({"default", kDefaultUsage, Default});

}  // namespace

}  // namespace tintora::cli

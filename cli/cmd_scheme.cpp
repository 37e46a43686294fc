#include "command.h"
#include "failure.h"
#include "inputfiles.h"

#include "scheme/codepage.h"
#include "scheme/colourscheme.h"
#include "scheme/inputfile.h"
#include "scheme/wholefilewrite.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cctype>
#include <cmath>
#include <optional>

namespace tintora::cli {

namespace {

// A scheme document is a few kilobytes; this only keeps /dev/zero and the
// like from filling memory.
constexpr qint64 kMaxJsonSize = 1 << 20;

QString HexColour(Colour colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour & 0xFF, 2, 16, QChar('0'))
        .arg(colour >> 8 & 0xFF, 2, 16, QChar('0'))
        .arg(colour >> 16 & 0xFF, 2, 16, QChar('0'))
        .toUpper();
}

std::optional<Colour> ParseHexColour(const QString &text)
{
    if (text.size() != 6)
        return std::nullopt;
    for (QChar c : text) {
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return std::nullopt;
    }
    const Colour rgb = text.toUInt(nullptr, 16);
    return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

std::optional<int> WholeNumber(const QJsonValue &value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < low || number > high)
        return std::nullopt;
    return int(number);
}

// One entry per line, so that a scheme kept under version control diffs well.
QString SchemeJson(const ColourScheme &scheme)
{
    // Qt's writer does the string escaping.
    const QByteArray quoted =
        QJsonDocument(QJsonArray{FromCp1251(scheme.name)}).toJson(QJsonDocument::Compact);
    QString json = QStringLiteral("{\n  \"name\": %1,\n  \"entries\": [\n")
                       .arg(QString::fromUtf8(quoted.mid(1, quoted.size() - 2)));
    for (int element = 1; element <= kElementCount; ++element) {
        const SchemeEntry &entry = scheme.entry(element);
        json += QStringLiteral("    {\"element\": %1, \"colour\": \"%2\", \"transparency\": %3}%4\n")
                    .arg(element)
                    .arg(HexColour(entry.colour))
                    .arg(entry.transparency)
                    .arg(element < kElementCount ? "," : "");
    }
    return json + "  ]\n}\n";
}

// The scheme of a JSON document, or the rule the document broke.
std::optional<ColourScheme> SchemeFromJson(const QJsonDocument &document, QString &broken)
{
    if (!document.isObject()) {
        broken = "the document must be a JSON object with \"name\" and \"entries\"";
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    ColourScheme scheme;

    if (!root.value("name").isString()) {
        broken = "\"name\" must be a string";
        return std::nullopt;
    }
    const QString name = root.value("name").toString();
    // Whole code points, so a character beyond U+FFFF is named, not its UTF-16 half.
    for (const char32_t c : name.toUcs4()) {
        if (c > 0xFFFF || !IsCp1251Char(QChar(char16_t(c)))) {
            broken = QStringLiteral("\"name\" must hold only characters of Windows-1251, "
                                    "which U+%1 is not")
                         .arg(QString::number(c, 16).toUpper().rightJustified(4, '0'));
            return std::nullopt;
        }
    }
    if (name.size() > kMaxNameLength) {
        broken = QStringLiteral("\"name\" must have at most %1 characters").arg(kMaxNameLength);
        return std::nullopt;
    }
    if (name.contains(QChar(0))) {
        broken = "\"name\" must not contain a zero character";
        return std::nullopt;
    }
    scheme.name = *ToCp1251(name);

    if (!root.value("entries").isArray()) {
        broken = "\"entries\" must be an array";
        return std::nullopt;
    }
    const QJsonArray entries = root.value("entries").toArray();
    std::array<bool, kElementCount + 1> seen{};
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString where = QStringLiteral("entries[%1]").arg(i);
        if (!entries[i].isObject()) {
            broken = where + " must be an object";
            return std::nullopt;
        }
        const QJsonObject item = entries[i].toObject();
        const std::optional<int> element = WholeNumber(item.value("element"), 1, kElementCount);
        if (!element) {
            broken = where + ": \"element\" must be a whole number from 1 to 63";
            return std::nullopt;
        }
        if (seen[*element]) {
            broken = QStringLiteral("%1: element %2 appears more than once").arg(where).arg(*element);
            return std::nullopt;
        }
        seen[*element] = true;
        const std::optional<Colour> colour = ParseHexColour(item.value("colour").toString());
        if (!colour) {
            broken = where + ": \"colour\" must be six hexadecimal digits, red, green, blue";
            return std::nullopt;
        }
        const std::optional<int> transparency = WholeNumber(item.value("transparency"), 0, 15);
        if (!transparency) {
            broken = where + ": \"transparency\" must be a whole number from 0 to 15";
            return std::nullopt;
        }
        scheme.entry(*element) = {*colour, std::uint8_t(*transparency)};
    }
    for (int element = 1; element <= kElementCount; ++element) {
        if (!seen[element]) {
            broken = QStringLiteral("element %1 is missing; each element 1 to 63 must appear once")
                         .arg(element);
            return std::nullopt;
        }
    }
    return scheme;
}

// All or nothing: a failed write leaves no file and no half of one.
int WriteImage(const QString &path, const SchemeImage &image)
{
    QString error;
    const QByteArrayView bytes(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
    if (WriteWholeFile(path, bytes, &error) != WriteOutcome::Written)
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, error));
    return 0;
}

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
    QString broken;
    std::optional<ColourScheme> scheme = SchemeFromJson(document, broken);
    if (!scheme)
        return Fail(input + ": " + broken);
    return WriteImage(args[1], EncodeScheme(*scheme));
}

int Default(const QStringList &args)
{
    if (args.size() != 1)
        return UsageError(kDefaultUsage);
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    return WriteImage(args[0], EncodeScheme(scheme));
}

const Registration dump({"dump", kDumpUsage, Dump});
const Registration build({"build", kBuildUsage, Build});
const Registration defaultScheme({"default", kDefaultUsage, Default});

}  // namespace

}  // namespace tintora::cli

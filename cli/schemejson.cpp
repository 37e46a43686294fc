#include "schemejson.h"

#include "scheme/codepage.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <cctype>
#include <cmath>
#include <utility>
#include <vector>

namespace tintora::cli {

QString HexColour(Colour colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour & 0xFF, 2, 16, QChar('0'))
        .arg(colour >> 8 & 0xFF, 2, 16, QChar('0'))
        .arg(colour >> 16 & 0xFF, 2, 16, QChar('0'))
        .toUpper();
}

namespace {

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

// One open object or array while the text is walked.
struct Level {
    bool object = false;
    QString where;  // "entries[2]", empty at the top
    QSet<QString> keys;
    QString key;     // the object's last key
    int index = 0;   // the array's current element
};

QString Member(const std::vector<Level> &levels)
{
    if (levels.empty())
        return {};
    const Level &level = levels.back();
    if (level.object)
        return level.where.isEmpty() ? level.key : level.where + "." + level.key;
    return QStringLiteral("%1[%2]").arg(level.where).arg(level.index);
}

}  // namespace

QString DuplicatedKeyRule(const QByteArray &json)
{
    std::vector<Level> levels;
    bool expectKey = false;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (c == '{' || c == '[') {
            Level level;
            level.object = c == '{';
            level.where = Member(levels);
            levels.push_back(std::move(level));
            expectKey = c == '{';
        } else if (c == '}' || c == ']') {
            levels.pop_back();
        } else if (c == ',' && !levels.empty()) {
            if (levels.back().object)
                expectKey = true;
            else
                ++levels.back().index;
        } else if (c == '"') {
            const qsizetype start = i;
            for (++i; json[i] != '"'; ++i) {
                if (json[i] == '\\')
                    ++i;
            }
            if (!expectKey)
                continue;
            expectKey = false;
            // Qt decodes the escapes, so "n\u0061me" is "name" again.
            const QString key = QJsonDocument::fromJson("[" + json.mid(start, i + 1 - start) + "]").array().at(0).toString();
            Level &level = levels.back();
            if (level.keys.contains(key))
                return (level.where.isEmpty() ? QString() : level.where + ": ") + QStringLiteral("\"%1\" is given twice").arg(key);
            level.keys.insert(key);
            level.key = key;
        }
    }
    return {};
}

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

}  // namespace tintora::cli

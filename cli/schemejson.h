#pragma once

#include "scheme/colourscheme.h"

#include <QJsonDocument>
#include <QString>

#include <optional>

namespace tintora::cli {

// The scheme as the JSON of `tintora-cli dump`: one entry per line, so that a
// scheme kept under version control diffs well.
QString SchemeJson(const ColourScheme &scheme);
// A colour as dump writes it: six hexadecimal digits, red, green, blue.
QString HexColour(Colour colour);

// A key given twice in one object of the JSON text, which Qt's reader would
// silently take the last of: the rule that names it ("entries[2]: \"colour\" is
// given twice"), or an empty string. The text must be valid JSON.
QString DuplicatedKeyRule(const QByteArray &json);

// The scheme of such a document, or nullopt with the rule it broke in broken.
std::optional<ColourScheme> SchemeFromJson(const QJsonDocument &document, QString &broken);

}  // namespace tintora::cli

// The JSON of `tintora-cli build`: a document that is accepted gives a scheme
// file that decodes to the same scheme, and dumping that scheme and building
// again gives it once more.
#include "fuzzsupport.h"

#include "cli/schemejson.h"
#include "scheme/colourscheme.h"

#include <QJsonDocument>

namespace {

using namespace tintora;

std::optional<ColourScheme> Build(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;
    QString broken;
    std::optional<ColourScheme> scheme = cli::SchemeFromJson(document, broken);
    FUZZ_CHECK(scheme.has_value() == broken.isEmpty());
    return scheme;
}

bool Same(const ColourScheme &a, const ColourScheme &b)
{
    return a.entries == b.entries && a.name == b.name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::optional<ColourScheme> scheme =
        Build(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!scheme)
        return 0;
    FUZZ_CHECK(scheme->name.size() <= kMaxNameLength && !scheme->name.contains('\0'));
    for (const SchemeEntry &entry : scheme->entries)
        FUZZ_CHECK(entry.colour <= 0xFFFFFF && entry.transparency <= 15);

    const SchemeImage image = EncodeScheme(*scheme);
    FUZZ_CHECK(IsSchemeImage(image));
    ColourScheme decoded;
    DecodeScheme(decoded, image);
    FUZZ_CHECK(Same(decoded, *scheme));

    const std::optional<ColourScheme> again = Build(cli::SchemeJson(decoded).toUtf8());
    FUZZ_CHECK(again && Same(*again, decoded));
    return 0;
}

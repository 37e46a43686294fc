// The committed pictures of every screen: two schemes x four settings x with and without a
// background picture. test_preview paints them in the process, test_cli through tintora-cli
// render, both against the same files in tests/preview/goldens/.
//
// Only the plain picture of the first settings is whole, for each scheme and screen. The
// picture over the background is kept as the pixels in which it differs from that one, the
// rest see-through, and the other settings' pictures as theirs from the first settings'
// picture with the same background; a file that would hold no pixel is left out. Most
// screens hide the settings, so the files stay small.
#pragma once

#include "tests/preview/test_jpegwriter.h"

#include "preview/previewsettings.h"
#include "scheme/colourscheme.h"

#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QRect>

#include <optional>

namespace tintora::test {

constexpr int kGoldenZoom = 4;

// Distinct, saturated colours around the colour wheel, and transparencies that differ from
// element to element (7, 10, 13 and 14, the ones drawn blended, get 1, 6, 11 and 2).
inline ColourScheme VividScheme()
{
    ColourScheme scheme;
    for (int e = 1; e <= kElementCount; ++e) {
        const QColor hsv = QColor::fromHsv(int(e * 137.508) % 360, 160 + (e % 4) * 30,
                                           255 - (e % 3) * 60);
        scheme.entry(e) = {Colour(hsv.red()) | Colour(hsv.green()) << 8 |
                               Colour(hsv.blue()) << 16,
                           std::uint8_t(e * 7 % 16)};
    }
    scheme.name = "VIVID";
    return scheme;
}

inline ColourScheme GoldenScheme(const QString &variant)
{
    if (variant == QLatin1String("vivid"))
        return VividScheme();
    ColourScheme scheme;
    BuildDefaultScheme(scheme);
    return scheme;
}

inline const QString kGoldenSchemes[] = {QStringLiteral("default"), QStringLiteral("vivid")};

// Together the rows draw every clock, date format and pressed key, an empty and an overlong
// provider name, a chosen day apart from today, on today, and past the month's end (drawn
// on the 1st), and months of four and of six week rows.
struct GoldenSettings {
    QString name;
    PreviewSettings settings;
    QString now;  // as tintora-cli render's --now reads it
};
inline const GoldenSettings kGoldenSettings[] = {
    {QStringLiteral("analogue"), {QStringLiteral("TINTORA"), 0, 2, 1, 21}, QStringLiteral("2026-03-10 10:50")},
    {QStringLiteral("digital"), {QStringLiteral("BEE LINE"), 1, 0, 0, 14}, QStringLiteral("2027-02-06 23:47")},
    {QStringLiteral("noclock"), {QString(), 2, 1, 2, 31}, QStringLiteral("2026-11-30 09:05")},
    {QStringLiteral("nodate"), {QStringLiteral("MOTOROLA NETWORK OPERATOR"), 0, 3, 3, 0}, QStringLiteral("2026-08-01 23:00")},
};

inline QDateTime GoldenMoment(const GoldenSettings &row)
{
    return QDateTime::fromString(row.now, QStringLiteral("yyyy-MM-dd HH:mm"));
}

inline QByteArray GoldenIni(const PreviewSettings &settings)
{
    return QStringLiteral("[Options]\r\nProviderName=%1\r\nClockFormat=%2\r\nDateFormat=%3\r\n"
                          "PressedSoftKey=%4\r\nChoosedDate=%5\r\n")
        .arg(settings.ProviderName)
        .arg(settings.ClockFormat)
        .arg(settings.DateFormat)
        .arg(settings.PressedSoftKey)
        .arg(settings.ChoosedDate)
        .toLatin1();
}

// Cells of 8 x 8 pixels, each of one colour, in five colours and their darker halves, so
// blending shows against more than one colour. Stored at full quality with colour at full
// resolution, each cell decodes to one colour whatever libjpeg's version and inverse DCT.
inline QByteArray GoldenBackgroundJpeg()
{
    const QRgb palette[] = {0xD05020, 0x60C030, 0x2080D0, 0xA03090, 0xC0B020};
    QImage picture(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const QRgb cell = palette[(x / 16 + 3 * (y / 16)) % 5];
            picture.setPixel(x, y, ((x / 8 + y / 8) % 2) ? cell : (cell >> 1) & 0x7F7F7F);
        }
    return WriteJpeg(picture, {.quality = 100, .hSample = 1, .vSample = 1});
}

struct GoldenCell {
    QString scheme;
    int settingsRow = 0;
    bool background = false;
    bool isWhole() const { return settingsRow == 0 && !background; }
    // The cell whose picture this one's differences are kept from.
    GoldenCell parent() const { return {scheme, 0, settingsRow == 0 ? false : background}; }
};

// "default-screen-0" for a whole picture, "vivid-digital-picture-screen-3" for the
// differences of another.
inline QString GoldenName(const GoldenCell &cell, int screen)
{
    const QString name = cell.isWhole() ? QString()
                                        : kGoldenSettings[cell.settingsRow].name +
                                              (cell.background ? QStringLiteral("-picture-")
                                                               : QStringLiteral("-plain-"));
    return QStringLiteral("%1-%2screen-%3").arg(cell.scheme, name).arg(screen);
}

inline QString GoldenPath(const QString &name)
{
    return QStringLiteral(TINTORA_GOLDEN_DIR "/") + name + QStringLiteral(".png");
}

// The picture a cell must show; nothing when the whole picture it builds on is missing.
inline std::optional<QImage> ExpectedPicture(const GoldenCell &cell, int screen)
{
    if (cell.isWhole()) {
        QImage whole = QImage(GoldenPath(GoldenName(cell, screen))).convertToFormat(QImage::Format_RGB32);
        if (whole.size() != QSize(128, 128))
            return std::nullopt;
        return whole;
    }
    std::optional<QImage> expected = ExpectedPicture(cell.parent(), screen);
    const QImage differences =
        QImage(GoldenPath(GoldenName(cell, screen))).convertToFormat(QImage::Format_ARGB32);
    if (expected && differences.size() == expected->size()) {
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (qAlpha(differences.pixel(x, y)) != 0)
                    expected->setPixel(x, y, differences.pixel(x, y));
    }
    return expected;
}

// As few bytes as the colours allow: a palette when there are at most 256.
inline bool SaveGolden(const QImage &picture, const QString &path)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, int> indexOf;
    QList<QRgb> table;
    for (int y = 0; y < argb.height() && table.size() <= 256; ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (const QRgb pixel = argb.pixel(x, y); !indexOf.contains(pixel)) {
                indexOf.insert(pixel, int(table.size()));
                table << pixel;
            }
    if (table.size() > 256)
        return argb.save(path);
    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(table);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            indexed.setPixel(x, y, uint(indexOf.value(argb.pixel(x, y))));
    return indexed.save(path);
}

// Writes a cell's file from what it and its parent show now: the whole picture itself, or
// the differing pixels, or no file when none differs.
inline bool WriteGolden(const GoldenCell &cell, int screen, const QImage &actual,
                        const QImage &parentActual)
{
    const QString path = GoldenPath(GoldenName(cell, screen));
    if (cell.isWhole())
        return SaveGolden(actual, path);
    const QImage shown = actual.convertToFormat(QImage::Format_RGB32);
    const QImage parentShown = parentActual.convertToFormat(QImage::Format_RGB32);
    QImage differences(shown.size(), QImage::Format_ARGB32);
    differences.fill(Qt::transparent);
    bool differs = false;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != parentShown.pixel(x, y)) {
                differences.setPixel(x, y, shown.pixel(x, y));
                differs = true;
            }
    QFile::remove(path);
    return !differs || SaveGolden(differences, path);
}

inline QString Hex(QRgb colour)
{
    return QStringLiteral("#%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

// Expected | actual | the actual picture faded, with every differing pixel in magenta;
// enlarged so single pixels can be seen.
inline QImage DiffPicture(const QImage &expected, const QImage &actual)
{
    QImage sheet(3 * 128 + 2 * 4, 128, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb faded = ((a >> 2) & 0x3F3F3F) + 0xA0A0A0;
            sheet.setPixel(x, y, expected.pixel(x, y));
            sheet.setPixel(128 + 4 + x, y, a);
            sheet.setPixel(2 * (128 + 4) + x, y, expected.pixel(x, y) == a ? faded : 0xFF00FF);
        }
    return sheet.scaled(sheet.size() * kGoldenZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Empty when actual shows the cell's picture; else where it differs, with a picture of the
// differences written into diffDir.
inline QString CompareWithGolden(const GoldenCell &cell, int screen, const QImage &actualPicture,
                                 const QString &diffDir)
{
    const QString name = GoldenName(cell, screen);
    const QString diffPath = diffDir + '/' + name + QStringLiteral(".diff.png");
    QFile::remove(diffPath);  // a picture from an earlier failure would mislead
    const std::optional<QImage> expected = ExpectedPicture(cell, screen);
    if (!expected)
        return GoldenPath(GoldenName({cell.scheme}, screen)) +
               QStringLiteral(" is missing or not 128 x 128; tools/update_goldens.sh writes it");
    const QImage actual = actualPicture.convertToFormat(QImage::Format_RGB32);
    if (actual.size() != expected->size())
        return QStringLiteral("%1: the picture is %2 x %3").arg(name).arg(actual.width()).arg(actual.height());
    int differing = 0;
    QPoint first;
    QRect box;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (expected->pixel(x, y) != actual.pixel(x, y)) {
                if (differing++ == 0)
                    first = {x, y};
                box |= QRect(x, y, 1, 1);
            }
    if (differing == 0)
        return {};
    QDir().mkpath(diffDir);
    const bool written = DiffPicture(*expected, actual).save(diffPath);
    return QStringLiteral("%1 differs from its golden picture in %2 pixels within (%3,%4)-(%5,%6); "
                          "at (%7,%8) expected %9, got %10.\nExpected | actual | differences in "
                          "magenta, %11x: %12")
        .arg(name)
        .arg(differing)
        .arg(box.left())
        .arg(box.top())
        .arg(box.right())
        .arg(box.bottom())
        .arg(first.x())
        .arg(first.y())
        .arg(Hex(expected->pixel(first)), Hex(actual.pixel(first)))
        .arg(kGoldenZoom)
        .arg(written ? diffPath : QStringLiteral("(could not be written)"));
}

}  // namespace tintora::test

// Every screen against a committed picture, for two contrasting schemes with a fixed clock
// and fixed settings: a pixel moved, recoloured or left out anywhere shows. After a change
// that is meant to alter the pictures, tools/update_goldens.sh writes them anew.
#include "previewfixture.h"

#include "scheme/catalogue.h"

#include <QColor>
#include <QDir>
#include <QFile>

#include <tuple>

namespace tintora::testing {
namespace {

constexpr int kZoom = 4;
constexpr Colour kMarked = 0xFF00FF;

// Distinct, saturated colours around the colour wheel, and transparencies that differ from
// element to element (7, 10, 13 and 14, the ones drawn blended, get 1, 6, 11 and 2).
ColourScheme VividScheme()
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

// Blocks of five colours with a darker checker, so blending shows against more than one
// colour; blocks keep the committed pictures small.
QImage BackgroundBlocks()
{
    const Colour palette[] = {0x2050D0, 0x30C060, 0xD08020, 0x9030A0, 0x20B0C0};
    QImage picture = NewCanvas(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const Colour block = palette[(x / 16 + 3 * (y / 16)) % 5];
            SetPixel(picture, x, y, ((x / 4 + y / 4) % 2) ? block : (block >> 1) & 0x7F7F7F);
        }
    return picture;
}

QString Hex(Colour colour)
{
    return QStringLiteral("#%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(colour >> 8 & 0xFF, 2, 16, QLatin1Char('0'))
        .arg(colour >> 16 & 0xFF, 2, 16, QLatin1Char('0'));
}

// Expected | actual | the actual picture faded, with every differing pixel in magenta;
// enlarged so single pixels can be seen.
QImage DiffPicture(const QImage &expected, const QImage &actual)
{
    QImage marked = NewCanvas(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const Colour a = PixelAt(actual, x, y);
            const Colour faded = (a >> 2 & 0x3F3F3F) + 0xA0A0A0;
            SetPixel(marked, x, y, PixelAt(expected, x, y) == a ? faded : kMarked);
        }
    QImage sheet = NewCanvas(3 * 128 + 2 * 4, 128);
    FillRect(sheet, {0, 0, sheet.width(), 128}, 0xFFFFFF);
    DrawPicture(sheet, expected, 0, 0, std::nullopt);
    DrawPicture(sheet, actual, 128 + 4, 0, std::nullopt);
    DrawPicture(sheet, marked, 2 * (128 + 4), 0, std::nullopt);
    return sheet.scaled(sheet.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

using GoldenCase = std::tuple<std::string, int>;  // scheme variant, screen

class GoldenTest : public PreviewTest, public ::testing::WithParamInterface<GoldenCase> {
protected:
    void SetUp() override
    {
        if (std::get<0>(GetParam()) == "default") {
            BuildDefaultScheme(scheme);
            settings = {QStringLiteral("TINTORA"), 0, 2, 1, 21};
            clock.set(QDateTime(QDate(2026, 3, 10), QTime(10, 50)));  // six week rows
        } else {
            scheme = VividScheme();
            settings = {QStringLiteral("BEE LINE"), 1, 0, 0, 14};
            clock.set(QDateTime(QDate(2027, 2, 6), QTime(23, 47)));  // a Saturday; four rows
            preview.setBackgroundPicture(BackgroundBlocks());
        }
    }
};

TEST_P(GoldenTest, ScreenMatchesItsPicture)
{
    const auto [variant, screen] = GetParam();
    const QString name =
        QStringLiteral("%1-screen-%2").arg(QString::fromStdString(variant)).arg(screen);
    const QString goldenPath = QStringLiteral(TINTORA_GOLDEN_DIR "/") + name + ".png";
    const QImage actual = paint(screen).copy();
    const QString diffDir = QStringLiteral(TINTORA_GOLDEN_DIFF_DIR);
    const QString diffPath = diffDir + '/' + name + ".diff.png";
    QFile::remove(diffPath);  // a picture from an earlier failure would mislead

    if (!qEnvironmentVariableIsEmpty("TINTORA_UPDATE_GOLDENS")) {
        ASSERT_TRUE(actual.save(goldenPath)) << goldenPath.toStdString();
        GTEST_SKIP() << "wrote " << goldenPath.toStdString();
    }

    const QImage golden = QImage(goldenPath).convertToFormat(actual.format());
    ASSERT_EQ(golden.size(), actual.size())
        << goldenPath.toStdString() << " is missing or not 128 x 128; tools/update_goldens.sh "
        << "writes it";
    int differing = 0;
    QPoint first;
    QRect box;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (PixelAt(golden, x, y) != PixelAt(actual, x, y)) {
                if (differing++ == 0)
                    first = {x, y};
                box |= QRect(x, y, 1, 1);
            }
    if (differing == 0)
        return;

    QDir().mkpath(diffDir);
    const bool written = DiffPicture(golden, actual).save(diffPath);
    ADD_FAILURE() << "screen " << screen << " of the " << variant << " scheme differs from "
                  << goldenPath.toStdString() << " in " << differing << " pixels within ("
                  << box.left() << "," << box.top() << ")-(" << box.right() << ","
                  << box.bottom() << "); at (" << first.x() << "," << first.y()
                  << ") expected " << Hex(PixelAt(golden, first.x(), first.y())).toStdString()
                  << ", got " << Hex(PixelAt(actual, first.x(), first.y())).toStdString()
                  << ".\nExpected | actual | differences in magenta, " << kZoom << "x: "
                  << (written ? diffPath.toStdString() : "(could not be written)");
}

INSTANTIATE_TEST_SUITE_P(Goldens, GoldenTest,
                         ::testing::Combine(::testing::Values(std::string("default"),
                                                              std::string("vivid")),
                                            ::testing::Range(0, kScreenCount)),
                         [](const ::testing::TestParamInfo<GoldenCase> &info) {
                             return std::get<0>(info.param) + "_screen_" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace tintora::testing

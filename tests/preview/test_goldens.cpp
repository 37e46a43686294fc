// Every screen against a committed picture, for two contrasting schemes, four settings and
// with and without a background picture, at each settings' fixed clock: a pixel moved,
// recoloured or left out anywhere shows. After a change that is meant to alter the
// pictures, tools/update_goldens.sh writes them anew.
#include "previewfixture.h"
#include "goldenpictures.h"

#include "preview/jpegpicture.h"
#include "scheme/catalogue.h"

#include <QBuffer>

#include <tuple>

namespace tintora::testing {
namespace {

using namespace tintora::test;

// Indexes of kGoldenSchemes and kGoldenSettings, with the background or not, and the screen.
using GoldenCase = std::tuple<int, int, bool, int>;

QImage GoldenBackground()
{
    QByteArray file = GoldenBackgroundJpeg();
    QBuffer device(&file);
    device.open(QIODevice::ReadOnly);
    JpegError error;
    const std::optional<QImage> scaled = LoadJpegScaled(device, 128, 128, &error);
    EXPECT_TRUE(scaled) << error.detail.toStdString();
    return scaled.value_or(QImage());
}

class GoldenTest : public PreviewTest, public ::testing::WithParamInterface<GoldenCase> {
protected:
    // On a preview of its own, which no other paint has left anything on.
    QImage paintCell(const GoldenCell &cell, int screen)
    {
        const ColourScheme cellScheme = GoldenScheme(cell.scheme);
        PreviewSettings cellSettings = kGoldenSettings[cell.settingsRow].settings;
        const FixedClock cellClock(GoldenMoment(kGoldenSettings[cell.settingsRow]));
        Preview painter(cellScheme, cellSettings, cellClock, *pictures);
        if (cell.background)
            painter.setBackgroundPicture(GoldenBackground());
        painter.RepaintPreview(screen);
        return painter.image().copy();
    }
};

TEST_P(GoldenTest, ScreenMatchesItsPicture)
{
    const auto [variant, row, background, screen] = GetParam();
    const GoldenCell cell{kGoldenSchemes[variant], row, background};
    const QImage actual = paintCell(cell, screen);

    if (!qEnvironmentVariableIsEmpty("TINTORA_UPDATE_GOLDENS")) {
        const QImage parent = cell.isWhole() ? actual : paintCell(cell.parent(), screen);
        const QString name = GoldenName(cell, screen);
        ASSERT_TRUE(WriteGolden(cell, screen, actual, parent)) << name.toStdString();
        GTEST_SKIP() << "wrote " << name.toStdString();
    }

    const QString failure =
        CompareWithGolden(cell, screen, actual, QStringLiteral(TINTORA_GOLDEN_DIFF_DIR));
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
}

std::string GoldenCaseName(const ::testing::TestParamInfo<GoldenCase> &info)
{
    const auto &[variant, row, background, screen] = info.param;
    return (kGoldenSchemes[variant] + '_' + kGoldenSettings[row].name +
            (background ? QStringLiteral("_picture") : QStringLiteral("_plain")) +
            QStringLiteral("_screen_%1").arg(screen))
        .toStdString();
}

INSTANTIATE_TEST_SUITE_P(Goldens, GoldenTest,
                         ::testing::Combine(::testing::Range(0, int(std::size(kGoldenSchemes))),
                                            ::testing::Range(0, int(std::size(kGoldenSettings))),
                                            ::testing::Bool(), ::testing::Range(0, kScreenCount)),
                         GoldenCaseName);

}  // namespace
}  // namespace tintora::testing

#include "previewfixture.h"

#include "preview/previewtext.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace tintora::testing {
namespace {

class PreviewTextTest : public PreviewTest {};

TEST_F(PreviewTextTest, TheFaceIsOursAtBothSizes)
{
    for (int pixels : {kTextPixels, kWeekdayLetterPixels}) {
        const QFont font = PreviewFont(pixels);
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("1st Sortie"));
        EXPECT_EQ(QFontInfo(font).pixelSize(), pixels);
        EXPECT_EQ(QFontMetrics(font).height(), pixels);
    }
}

// The kept pixels of a text land exactly where QPainter itself draws it on a 24-bit image,
// and in the one colour: the texts are not antialiased.
TEST_F(PreviewTextTest, DrawsWhatQPainterDraws)
{
    const QString texts[] = {QStringLiteral("PH.BOOK"), QStringLiteral("6-DEC-26"),
                             QStringLiteral("Ring Lights: Energiz..."),
                             QStringLiteral("Билайн"), QStringLiteral("gjpqy@W")};
    PreviewText text;
    for (int pixels : {kTextPixels, kWeekdayLetterPixels}) {
        for (const QString &sample : texts) {
            QImage blank = NewCanvas(128, 40);
            blank.fill(QColor(0x20, 0x40, 0x60));
            QImage ours = blank.copy();
            QImage theirs = blank.copy();
            text.draw(ours, 3, 7, sample, 0x00AA55, pixels);
            {
                const QFont font = PreviewFont(pixels);
                QPainter painter(&theirs);
                painter.setFont(font);
                painter.setPen(QColor(0x55, 0xAA, 0x00));
                painter.drawText(QPoint(3, 7 + QFontMetrics(font).ascent()), sample);
            }
            EXPECT_EQ(ours, theirs) << sample.toStdString() << " at " << pixels;
            EXPECT_EQ(text.width(sample, pixels),
                      QFontMetrics(PreviewFont(pixels)).horizontalAdvance(sample));
            EXPECT_NE(ours, blank) << "nothing drawn for " << sample.toStdString();
        }
    }
}

// Texts kept while another face stood in for ours are not shown once ours is registered.
TEST_F(PreviewTextTest, FollowsTheFaceRegisteredNow)
{
    const QString sample = QStringLiteral("PH.BOOK");
    PreviewText text;
    RemovePreviewFont();
    QImage before = NewCanvas(128, 20);
    text.draw(before, 3, 2, sample, 0x000000, kTextPixels);
    ASSERT_TRUE(InstallPreviewFontFromMemory());

    QImage ours = NewCanvas(128, 20);
    text.draw(ours, 3, 2, sample, 0x000000, kTextPixels);
    QImage theirs = NewCanvas(128, 20);
    {
        const QFont font = PreviewFont(kTextPixels);
        QPainter painter(&theirs);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(3, 2 + QFontMetrics(font).ascent()), sample);
    }
    EXPECT_EQ(ours, theirs);
    EXPECT_EQ(text.width(sample, kTextPixels),
              QFontMetrics(PreviewFont(kTextPixels)).horizontalAdvance(sample));
}

TEST_F(PreviewTextTest, TopLeftOfTheCellIsThePosition)
{
    PreviewText text;
    QImage canvas = NewCanvas(40, 40);
    text.draw(canvas, 10, 12, QStringLiteral("T"), 0x000000, kTextPixels);
    int top = 40, left = 40;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (PixelAt(canvas, x, y) == 0) {
                top = std::min(top, y);
                left = std::min(left, x);
            }
        }
    }
    // The capital's top sits below the cell's top and its stem right of the cell's left.
    EXPECT_GE(top, 12);
    EXPECT_LT(top, 12 + QFontMetrics(PreviewFont(kTextPixels)).ascent());
    EXPECT_GE(left, 10);
    EXPECT_LT(left, 13);
}

}  // namespace
}  // namespace tintora::testing

// Design help in the window: the Contrast panel's rows and bound, the chooser of suggestions.
#include "windowfixture.h"
#include "windowpicture.h"

#include "ui/contrastpanel.h"
#include "ui/suggestionchoices.h"
#include "ui/previewdisplay.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tintora::test {
namespace {

class DesignWindowTest : public WindowTest {
protected:
    ContrastPanel *panel() const { return child<ContrastPanel>("contrastPanel"); }
    // Main text the colour of the main screen's background, so that it cannot be read.
    void hideMainText()
    {
        child<QAction>("contrastAction")->trigger();
        child<QComboBox>("elementCombo")->setCurrentIndex(1);
        mainWindow->editing().chooseElement();
        mainWindow->editing().applyHexColour(mainWindow->scheme().entry(1).colour);
        QCoreApplication::processEvents();
    }
    void clickRowOf(int element)
    {
        auto *list = child<QListWidget>("contrastList");
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toInt() == element) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
                return;
            }
        }
        ADD_FAILURE() << "no row of element " << element;
    }
};

// Catches a row clicked that loses its mark at the next check, the preview still marking
// every weak element rather than the one chosen, and weak pixels painted over so that the
// text's own colour no longer shows.
TEST_F(DesignWindowTest, TheRowClickedStaysMarkedAndItsPixelsKeepTheirColour)
{
    writeIni("[Options]\r\nLanguage=English\r\n");
    start();
    hideMainText();
    // A second weak element on the main screen: the analogue clock's hands.
    child<QComboBox>("elementCombo")->setCurrentIndex(4);
    mainWindow->editing().chooseElement();
    ASSERT_EQ(mainWindow->editing().selectedElement(), 5);
    mainWindow->editing().applyHexColour(0xC0C0C0);
    QCoreApplication::processEvents();
    ASSERT_GE(panel()->rows().size(), 2);

    clickRowOf(2);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel()->chosenElement(), 2);
    // Another edit checks again; the row stays chosen.
    child<QComboBox>("elementCombo")->setCurrentIndex(4);
    mainWindow->editing().chooseElement();
    mainWindow->editing().applyHexColour(0xB0B0B0);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel()->chosenElement(), 2);
    EXPECT_EQ(child<QListWidget>("contrastList")->currentItem()->data(Qt::UserRole).toInt(), 2);

    auto *display = child<PreviewDisplay>("previewDisplay");
    const Preview &preview = mainWindow->previewPanel().preview();
    ASSERT_FALSE(display->marks().empty());
    for (const QPoint &mark : display->marks())
        ASSERT_EQ(preview.elementMap().elementAt(mark.x(), mark.y()), 2);
    ASSERT_EQ(display->zoom(), 1);
    const QImage shown = display->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin((display->width() - 128) / 2, (display->height() - 128) / 2);
    for (const QPoint &mark : display->marks())
        ASSERT_EQ(shown.pixel(origin + mark), preview.image().pixel(mark)) << mark.x() << "," << mark.y();
}

// Catches the bound chosen not judging the rows, not kept in tintora.ini, kept over the
// file's other keys, or not read back at the next start.
TEST_F(DesignWindowTest, TheBoundChosenJudgesTheRowsAndIsKept)
{
    writeIni("[Options]\r\nLanguage=English\r\nMine=kept\r\n");
    start();
    hideMainText();
    EXPECT_TRUE(panel()->sentences().value(0).endsWith(QStringLiteral(", needs 4.5 : 1)")))
        << panel()->sentences().value(0).toStdString();
    auto *bound = child<QComboBox>("contrastBoundCombo");
    bound->setCurrentIndex(2);
    emit bound->activated(2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel()->sentences().value(0).endsWith(QStringLiteral(", needs Lc 60)")))
        << panel()->sentences().value(0).toStdString();
    EXPECT_EQ(readIni("Options", "ContrastBound"), "2");
    EXPECT_EQ(readIni("Options", "Mine"), "kept");

    stop();
    start();
    EXPECT_EQ(child<QComboBox>("contrastBoundCombo")->currentIndex(), 2);
    hideMainText();
    EXPECT_TRUE(panel()->sentences().value(0).endsWith(QStringLiteral(", needs Lc 60)")));
}

// The mean lightness, 0 to 255, of a tile's menu screen, where the scheme's surfaces cover
// the picture.
int TileLightness(const QListWidgetItem *item)
{
    const QImage tile = item->icon().pixmap(QSize(260, 128)).toImage();
    long sum = 0, count = 0;
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = tile.width() - 128; x < tile.width(); ++x) {
            sum += QColor(tile.pixel(x, y)).lightness();
            ++count;
        }
    }
    return count ? int(sum / count) : 0;
}

// Catches New from picture offering one suggestion or repeated ones, the tile clicked not
// the scheme applied or applied in more than one step, the tone asked for ignored, and a
// cancelled choice that changes the scheme, its history or the background.
TEST_F(DesignWindowTest, TheChooserOffersSixSchemesAndAppliesTheOneClicked)
{
    start();
    const ColourScheme before = mainWindow->scheme();
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("field.jpg")));
    child<QAction>("newFromPictureAction")->trigger();
    waitForBackground();
    QListWidget *tiles = suggestionTiles(kSuggestionChoices);
    ASSERT_EQ(tiles->count(), kSuggestionChoices);
    std::vector<QImage> shown;
    for (int row = 0; row < tiles->count(); ++row) {
        EXPECT_EQ(tiles->item(row)->data(Qt::UserRole).toInt(), row);
        const QImage tile = tiles->item(row)->icon().pixmap(QSize(260, 128)).toImage();
        for (const QImage &earlier : shown)
            EXPECT_NE(tile, earlier) << "tile " << row;
        shown.push_back(tile);
    }
    const QImage picture = mainWindow->previewPanel().preview().backgroundPicture();
    const std::optional<Suggestion> third =
        SuggestScheme(before, picture, mainWindow->settings().preview, SchemeTone::AsPicture, 2);
    ASSERT_TRUE(third);
    chooseSuggestion(2);
    EXPECT_EQ(mainWindow->scheme(), third->scheme);
    EXPECT_EQ(mainWindow->findChild<QListWidget *>(QStringLiteral("suggestionList")), nullptr);
    mainWindow->editing().undo();
    EXPECT_EQ(mainWindow->scheme(), before);
    mainWindow->editing().redo();
    EXPECT_EQ(mainWindow->scheme(), third->scheme);

    // Light and dark, and a cancel that leaves the scheme and the background as they were.
    const auto lightness = [&](int tone) {
        dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
        dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("dusk.jpg")), QSize(320, 240), true);
        child<QAction>("newFromPictureAction")->trigger();
        waitForBackground();
        auto *toneCombo = mainWindow->findChild<QComboBox *>(QStringLiteral("suggestionToneCombo"));
        EXPECT_NE(toneCombo, nullptr);
        if (!toneCombo)
            return -1;
        toneCombo->setCurrentIndex(tone);
        emit toneCombo->activated(tone);
        const int light = TileLightness(suggestionTiles(1)->item(0));
        mainWindow->findChild<QDialog *>(QStringLiteral("suggestionChooser"))->reject();
        QCoreApplication::processEvents();
        return light;
    };
    const int light = lightness(0);
    const int dark = lightness(1);
    EXPECT_GT(light, dark + 60) << light << " " << dark;
    EXPECT_EQ(mainWindow->scheme(), third->scheme);
    EXPECT_EQ(mainWindow->previewPanel().preview().backgroundPicture(), picture);
    mainWindow->editing().undo();
    EXPECT_EQ(mainWindow->scheme(), before);
}

}  // namespace
}  // namespace tintora::test

#include "windowfixture.h"
#include "windowinput.h"

#include "preview/preview.h"
#include "scheme/catalogue.h"
#include "ui/hexcolouredit.h"
#include "ui/languagetables.h"
#include "ui/previewdisplay.h"
#include "ui/statusbar.h"
#include "ui/wording.h"
#include "ui/zoomfit.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QSlider>

namespace tintora::test {
namespace {

class PreviewWindowTest : public WindowTest {
protected:
    PreviewDisplay *display() const { return child<PreviewDisplay>("previewDisplay"); }
    HexColourEdit *hex() const { return child<HexColourEdit>("colourHexEdit"); }
    StatusBar *statusBar() const { return child<StatusBar>("statusBar"); }
    QComboBox *elements() const { return child<QComboBox>("elementCombo"); }
    void chooseScreen(int row) const { child<QListWidget>("screenList")->setCurrentRow(row); }
    void zoom(int factor) const
    {
        child<QAction>(qPrintable(QStringLiteral("zoom%1xAction").arg(factor)))->trigger();
    }

    // A left button event in the middle of preview pixel (x, y).
    void sendToPreviewPixel(QEvent::Type type, int x, int y, Qt::MouseButtons held) const
    {
        const int z = display()->zoom();
        const QPointF at(x * z + z / 2.0, y * z + z / 2.0);
        QMouseEvent event(type, at, display()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(display(), &event);
    }
    void clickPreviewPixel(int x, int y) const
    {
        sendToPreviewPixel(QEvent::MouseButtonPress, x, y, Qt::LeftButton);
        sendToPreviewPixel(QEvent::MouseButtonRelease, x, y, Qt::NoButton);
    }
    // A click, then the second press as a double click, and its release.
    void doubleClickPreviewPixel(int x, int y) const
    {
        clickPreviewPixel(x, y);
        sendToPreviewPixel(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton);
        sendToPreviewPixel(QEvent::MouseButtonRelease, x, y, Qt::NoButton);
    }
};

struct ScreenRoom {
    const char *screen;
    QSize room;  // the screen's available area, in logical pixels
    int largestZoom;
};

// Catches a zoom offered whose window would go past the screen's edge, one refused that
// fits, and a screen too small even for 1x left with nothing. The window at 1x, 422 x 546,
// is framed as desktops frame it (4-pixel borders, a 30-pixel title bar); each screen loses
// a 40-pixel task bar; 2880 x 1800 at scale 2 is 1440 x 900 logical pixels.
TEST(ZoomFitTest, OffersTheZoomsWhoseWindowFitsTheScreen)
{
    const QSize outerAt1x(430, 584);
    const ScreenRoom rooms[] = {
        {"1366 x 768", {1366, 728}, 2},
        {"1600 x 1000", {1600, 960}, 3},
        {"2880 x 1800 at scale 2", {1440, 860}, 3},
        {"2560 x 1440", {2560, 1400}, 4},
        {"just the 3x window", {686, 840}, 3},
        {"a pixel short of 2x", {558, 711}, 1},
        {"smaller than 1x", {400, 500}, 1},
    };
    for (const ScreenRoom &room : rooms)
        EXPECT_EQ(LargestFittingZoom(outerAt1x, room.room), room.largestZoom) << room.screen;
    EXPECT_EQ(WindowSizeAtZoom(outerAt1x, 4), QSize(814, 968));
}

// Catches a remembered zoom that puts the window past a smaller screen's edge, a size offered
// that does not fit, a disabled one that does not say why, and a fallback that forgets the
// size chosen for a larger screen.
TEST_F(PreviewWindowTest, ASizeThatDoesNotFitTheScreenIsNotOffered)
{
    writeIni("[View]\nZoom=4\n");
    screenArea = QRect(0, 0, 1366, 728);
    start();
    EXPECT_EQ(display()->zoom(), 2);
    EXPECT_LE(mainWindow->height(), 728);
    for (const char *language : {"russianAction", "englishAction"}) {
        mainWindow->chooseLanguage(child<QAction>(language));
        const QString why = QString::fromUtf8(mainWindow->languageCode() == "ru" ? "не поместится на экране (1366"
                                                                                 : "would not fit the screen (1366");
        for (int factor = 1; factor <= 4; ++factor) {
            QAction *size = child<QAction>(qPrintable(QStringLiteral("zoom%1xAction").arg(factor)));
            EXPECT_EQ(size->isEnabled(), factor <= 2) << factor;
            EXPECT_EQ(size->toolTip().contains(why), factor > 2) << factor << " " << language;
        }
    }
    EXPECT_FALSE(child<QAction>("zoomInAction")->isEnabled());
    EXPECT_EQ(readIni("View", "Zoom"), QStringLiteral("4"));
}

// Catches the window's frame misjudged in the fit, before the window system has framed it:
// the README's window sizes (430 x 584 at 1x, 558 x 712, 686 x 840, 814 x 968, for a menu bar
// 24 pixels high) each fit a room of exactly their size and not one a pixel narrower or
// lower, and its screens, less a 40-pixel task bar, offer what it says. The first size
// refused names its window's size.
TEST_F(PreviewWindowTest, TheWindowFrameDecidesWhichSizesFitTheScreen)
{
    start();
    EXPECT_EQ(mainWindow->width(), 422);
    // The menu bar's height follows the font; the rest of the window does not.
    const QSize menuBarShift(0, mainWindow->height() - 546);
    stop();
    writeIni("[View]\nZoom=4\n");
    const ScreenRoom rooms[] = {
        {"just 2x", {558, 712}, 2},          {"a pixel narrower", {557, 712}, 1},
        {"a pixel lower", {558, 711}, 1},    {"just 3x", {686, 840}, 3},
        {"a pixel narrower", {685, 840}, 2}, {"a pixel lower", {686, 839}, 2},
        {"just 4x", {814, 968}, 4},          {"a pixel narrower", {813, 968}, 3},
        {"a pixel lower", {814, 967}, 3},    {"1366 x 768", {1366, 728}, 2},
        {"1600 x 1000", {1600, 960}, 3},     {"2880 x 1800 at scale 2", {1440, 860}, 3},
    };
    const QSize windowAt[] = {{}, {430, 584}, {558, 712}, {686, 840}, {814, 968}};
    for (const ScreenRoom &room : rooms) {
        screenArea = QRect(QPoint(0, 0), room.room + menuBarShift);
        start();
        EXPECT_EQ(display()->zoom(), room.largestZoom) << room.screen;
        for (int factor = 1; factor <= 4; ++factor) {
            EXPECT_EQ(child<QAction>(qPrintable(QStringLiteral("zoom%1xAction").arg(factor)))->isEnabled(),
                      factor <= room.largestZoom)
                << room.screen << " " << factor;
        }
        if (room.largestZoom < 4) {
            const int refused = room.largestZoom + 1;
            EXPECT_EQ(child<QAction>(qPrintable(QStringLiteral("zoom%1xAction").arg(refused)))->toolTip(),
                      ZoomDoesNotFitText(refused, windowAt[refused] + menuBarShift,
                                         screenArea.size()))
                << room.screen;
        }
        stop();
    }
}

// Catches a zoom that moves the controls of the 1x layout, overlaps the preview with its
// neighbours, leaves the room it gives empty, leaves the window at its old size, or is not
// kept for the next start.
TEST_F(PreviewWindowTest, EachZoomGrowsThePreviewAndTheWindowAndIsRemembered)
{
    start();
    const QSize windowAt1x = mainWindow->size();
    EXPECT_EQ(display()->geometry(), QRect(24, 56, 128, 128));
    for (int factor : {2, 3, 4, 1}) {
        zoom(factor);
        const int grow = 128 * (factor - 1);
        EXPECT_EQ(display()->geometry(), QRect(24, 56, 128 * factor, 128 * factor)) << factor;
        EXPECT_EQ(child<QWidget>("screenList")->pos(), QPoint(216 + grow, 56)) << factor;
        EXPECT_EQ(child<QWidget>("elementCombo")->pos(), QPoint(24, 288 + grow)) << factor;
        EXPECT_EQ(child<QWidget>("loadBackgroundButton")->pos(), QPoint(248 + grow, 432 + grow)) << factor;
        EXPECT_EQ(child<QWidget>("screenSizeLabel")->pos(), QPoint(24, 8)) << factor;
        EXPECT_EQ(child<QWidget>("elementCombo")->width(), 385 + grow) << factor;
        EXPECT_EQ(child<QWidget>("parametersGroup")->width(), 385 + grow) << factor;
        EXPECT_EQ(child<QWidget>("transparencySlider")->width(), 185 + grow) << factor;
        EXPECT_EQ(child<QWidget>("transparencySpin")->pos(), QPoint(288 + grow, 40)) << factor;
        EXPECT_EQ(child<QWidget>("screenList")->height(), 185 + grow) << factor;
        EXPECT_EQ(child<QWidget>("clientArea")->size(), QSize(422 + grow, 498 + grow)) << factor;
        EXPECT_EQ(mainWindow->size(), windowAt1x + QSize(grow, grow)) << factor;
        EXPECT_EQ(readIni("View", "Zoom"), QString::number(factor));
    }
    zoom(3);
    stop();
    start();
    EXPECT_EQ(display()->zoom(), 3);
    EXPECT_TRUE(child<QAction>("zoom3xAction")->isChecked());
    EXPECT_EQ(display()->size(), QSize(384, 384));
}

TEST_F(PreviewWindowTest, AZoomOutOfRangeInTheSettingsFileStartsAt1x)
{
    writeIni("[View]\nZoom=7\n");
    start();
    EXPECT_EQ(display()->zoom(), 1);
    EXPECT_EQ(display()->geometry(), QRect(24, 56, 128, 128));
}

enum class Shown { Selected, Named, Nothing };

struct Pick {
    int screen, x, y, element;
    Shown shown;
};

void PrintTo(const Pick &pick, std::ostream *os)
{
    *os << "screen " << pick.screen << " at " << pick.x << "," << pick.y;
}

class PickTest : public PreviewWindowTest, public ::testing::WithParamInterface<Pick> {};

// Catches a click mapped to the wrong pixel, an element of the screen's list not selected, an
// element of another list not named with its screen or not reached by a double click (nor
// the release after it taken for a click on the new screen), pictures or fixed colours taken
// for an element, and a note about the file wiped out by a name.
TEST_P(PickTest, AClickOnThePreviewFindsTheElementThatDrewThePixel)
{
    const Pick pick = GetParam();
    start();
    zoom(2);
    chooseScreen(pick.screen);
    statusBar()->showMessage(QStringLiteral("a note about the file"));
    const int firstShown = mainWindow->editing().selectedElement();
    clickPreviewPixel(pick.x, pick.y);
    switch (pick.shown) {
    case Shown::Selected:
        EXPECT_EQ(mainWindow->editing().selectedElement(), pick.element);
        EXPECT_EQ(ColourOf(swatchFill()), mainWindow->scheme().entry(pick.element).colour);
        EXPECT_EQ(statusBar()->hint(), QString());
        break;
    case Shown::Named:
        EXPECT_EQ(mainWindow->editing().selectedElement(), firstShown);
        EXPECT_EQ(statusBar()->hint(),
                  ElementOnOtherScreenText(pick.element, ScreenOfElement(pick.element)));
        EXPECT_TRUE(statusBar()->hint().startsWith(ElementName(pick.element)));
        doubleClickPreviewPixel(pick.x, pick.y);
        EXPECT_EQ(mainWindow->editing().selectedScreen(), ScreenOfElement(pick.element));
        EXPECT_EQ(mainWindow->editing().selectedElement(), pick.element);
        EXPECT_EQ(statusBar()->hint(), QString());
        break;
    case Shown::Nothing:
        EXPECT_EQ(mainWindow->editing().selectedElement(), firstShown);
        EXPECT_EQ(statusBar()->hint(), QString());
        doubleClickPreviewPixel(pick.x, pick.y);
        EXPECT_EQ(mainWindow->editing().selectedScreen(), pick.screen);
        break;
    }
    // A name found is shown over the note, which stays beneath it.
    EXPECT_EQ(statusBar()->currentMessage(), QStringLiteral("a note about the file"));
}

// Default scheme and settings; today is Monday 15 April 2024 and the chosen day the 1st.
INSTANTIATE_TEST_SUITE_P(
    RepresentativePixels, PickTest,
    ::testing::Values(
        Pick{0, 64, 60, 1, Shown::Selected},      // plain background
        Pick{0, 30, 108, 6, Shown::Selected},     // line over the bar
        Pick{0, 57, 110, 7, Shown::Selected},     // bar, upper half
        Pick{0, 57, 126, 8, Shown::Selected},     // bar, lower half
        Pick{0, 0, 0, 0, Shown::Nothing},         // frame
        Pick{0, 63, 115, 0, Shown::Nothing},      // menu key glyph
        Pick{1, 3, 5, 14, Shown::Selected},       // title bar, upper half
        Pick{1, 3, 12, 15, Shown::Selected},      // title bar, lower half
        Pick{1, 57, 126, 8, Shown::Named},        // bar
        Pick{2, 100, 40, 18, Shown::Selected},    // list
        Pick{2, 6, 90, 23, Shown::Selected},      // scroll bar
        Pick{2, 100, 52, 21, Shown::Selected},    // selection, upper half
        Pick{2, 100, 68, 22, Shown::Selected},    // selection, lower half
        Pick{2, 3, 100, 19, Shown::Selected},     // outer border
        Pick{2, 4, 100, 20, Shown::Selected},     // inner border
        Pick{2, 6, 37, 26, Shown::Selected},      // scroll button's first line
        Pick{2, 6, 64, 27, Shown::Selected},      // and its second
        Pick{2, 6, 40, 24, Shown::Selected},      // scroll button, upper half
        Pick{2, 6, 60, 25, Shown::Selected},      // scroll button, lower half
        Pick{2, 64, 20, 13, Shown::Named},        // dimmed backdrop
        Pick{3, 64, 5, 0, Shown::Nothing},        // white
        Pick{3, 64, 100, 18, Shown::Named},       // body
        Pick{3, 120, 17, 28, Shown::Selected},    // title, upper half
        Pick{3, 120, 48, 29, Shown::Selected},    // title, lower half
        Pick{3, 64, 15, 31, Shown::Selected},     // line round the title
        Pick{4, 100, 47, 32, Shown::Selected},    // underline
        Pick{4, 100, 83, 33, Shown::Selected},    // underline of the selected item
        Pick{4, 2, 50, 23, Shown::Named},         // scroll bar
        Pick{5, 19, 50, 39, Shown::Selected},     // vertical grid line
        Pick{5, 10, 44, 38, Shown::Selected},     // horizontal grid line
        Pick{5, 2, 17, 36, Shown::Selected},      // today's weekday
        Pick{5, 54, 31, 34, Shown::Selected},     // header band
        Pick{5, 35, 50, 35, Shown::Selected},     // table
        Pick{5, 2, 35, 21, Shown::Named},         // the chosen day
        Pick{6, 64, 70, 13, Shown::Named},        // message area
        Pick{6, 10, 100, 41, Shown::Selected},    // predictive line
        Pick{7, 100, 60, 43, Shown::Selected},    // information area
        Pick{7, 100, 97, 48, Shown::Selected},    // progress, upper half
        Pick{7, 100, 103, 49, Shown::Selected},   // progress, lower half
        Pick{7, 52, 100, 45, Shown::Selected},    // progress button
        Pick{7, 50, 100, 47, Shown::Selected},    // its upper and left edge
        Pick{7, 55, 100, 46, Shown::Selected},    // its right edge
        Pick{8, 64, 64, 0, Shown::Nothing}));

// Catches a hex field that shows another element's colour, does not change the scheme and
// the preview as the chooser does, takes a broken colour, or copies and pastes nothing.
TEST_F(PreviewWindowTest, TheHexFieldShowsTakesCopiesAndPastesTheColour)
{
    start();
    EXPECT_EQ(hex()->text(), QStringLiteral("#C0C0C0"));  // element 1 of the default scheme
    elements()->setCurrentIndex(1);
    emit elements()->activated(1);
    EXPECT_EQ(hex()->text(), QStringLiteral("#000000"));
    elements()->setCurrentIndex(0);
    emit elements()->activated(0);

    hex()->selectAll();
    KeyClicks(hex(), QStringLiteral("#12ab34"));
    KeyClick(hex(), Qt::Key_Return);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x34AB12u);
    EXPECT_EQ(ColourOf(swatchFill()), 0x34AB12u);
    EXPECT_EQ(ColourOf(shownPreview().pixel(64, 60)), 0x34AB12u);
    EXPECT_EQ(hex()->text(), QStringLiteral("#12AB34"));

    hex()->selectAll();
    KeyClicks(hex(), QStringLiteral("#12"));
    KeyClick(hex(), Qt::Key_Return);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x34AB12u);
    EXPECT_EQ(hex()->text(), QStringLiteral("#12AB34"));

    QGuiApplication::clipboard()->setText(QStringLiteral("  ff8000\n"));
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(hex(), &paste);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0080FFu);
    EXPECT_EQ(ColourOf(shownPreview().pixel(64, 60)), 0x0080FFu);

    QGuiApplication::clipboard()->setText(QStringLiteral("not a colour"));
    QApplication::sendEvent(hex(), &paste);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0080FFu);

    hex()->deselect();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(hex(), &copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("#FF8000"));
}

TEST(HexColourParseTest, TakesTheCommonFormsAndRefusesTheRest)
{
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral("#FF8000")), 0x0080FFu);
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral(" ff8000 ")), 0x0080FFu);
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral("#f80")), 0x0088FFu);
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral("red")), 0x0000FFu);
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral("#80FF8000")), std::nullopt);
    EXPECT_EQ(HexColourEdit::Parse(QStringLiteral("#12")), std::nullopt);
    EXPECT_EQ(HexColourEdit::Parse(QString()), std::nullopt);
}

// Catches an export at the wrong size, of the wrong screen, smoothed, or one that leaves the
// window showing another screen.
TEST_F(PreviewWindowTest, ExportWritesTheCurrentScreenOrAllScreensAtTheZoom)
{
    start();
    zoom(2);
    chooseScreen(5);
    const QImage shown = shownPreview();
    dialogs.saveFileAnswers << folder.filePath(QStringLiteral("one"));
    child<QAction>("exportScreenAction")->trigger();
    const QImage one(folder.filePath(QStringLiteral("one.png")));
    ASSERT_EQ(one.size(), QSize(256, 256));
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_EQ(one.pixel(x, y), shown.pixel(x / 2, y / 2)) << x << "," << y;

    dialogs.saveFileAnswers << folder.filePath(QStringLiteral("all.png"));
    child<QAction>("exportAllScreensAction")->trigger();
    // The Others screen would be a blank square: it is left out, and the status bar says so.
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("all-8.png"))));
    EXPECT_TRUE(statusBar()->currentMessage().endsWith(UndrawnScreenSkippedText(8)))
        << statusBar()->currentMessage().toStdString();
    for (int screen = 0; screen < 8; ++screen) {
        const QImage written(folder.filePath(QStringLiteral("all-%1.png").arg(screen)));
        ASSERT_EQ(written.size(), QSize(256, 256)) << screen;
        chooseScreen(screen);
        EXPECT_EQ(written.pixel(101, 101), shownPreview().pixel(50, 50)) << screen;
    }
    chooseScreen(5);
    dialogs.saveFileAnswers << folder.filePath(QStringLiteral("again.png"));
    child<QAction>("exportAllScreensAction")->trigger();
    EXPECT_EQ(shownPreview(), shown);

    child<QAction>("exportScreenAction")->trigger();  // cancelled
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// Catches the Others screen shown without a word about its elements, in either language, a
// note left standing on the next screen, and a blank picture of it offered for export.
TEST_F(PreviewWindowTest, TheOthersScreenSaysItsElementsAreNotDrawn)
{
    start();
    QAction *exportScreen = child<QAction>("exportScreenAction");
    chooseScreen(8);
    const QString russian = UndrawnScreenText();
    EXPECT_EQ(statusBar()->currentMessage(), russian);
    EXPECT_FALSE(exportScreen->isEnabled());
    EXPECT_EQ(exportScreen->toolTip(), russian);
    mainWindow->chooseLanguage(child<QAction>("englishAction"));
    EXPECT_EQ(statusBar()->currentMessage(), UndrawnScreenText());
    EXPECT_EQ(exportScreen->toolTip(), UndrawnScreenText());
    EXPECT_NE(UndrawnScreenText(), russian);
    chooseScreen(7);
    EXPECT_EQ(statusBar()->currentMessage(), QString());
    EXPECT_TRUE(exportScreen->isEnabled());
}

// Catches the mark drawn into the picture itself, which exports and tintora-cli render would
// then carry, a mark that does not show in the window, and a View menu item that does not
// turn it off for good.
TEST_F(PreviewWindowTest, TheSelectedElementIsMarkedInTheWindowOnly)
{
    start();
    zoom(2);
    const QImage unmarked = shownPreview();
    elements()->setCurrentIndex(5);  // element 6, the line over the bar: row 108
    emit elements()->activated(5);
    ASSERT_TRUE(display()->showsMark());
    const QImage window = display()->grab().toImage();
    EXPECT_NE(window.pixel(61, 217), unmarked.pixel(30, 108));
    EXPECT_EQ(window.pixel(129, 121), unmarked.pixel(64, 60));  // the background is not marked
    EXPECT_EQ(shownPreview(), unmarked);

    dialogs.saveFileAnswers << folder.filePath(QStringLiteral("marked.png"));
    child<QAction>("exportScreenAction")->trigger();
    const QImage written(folder.filePath(QStringLiteral("marked.png")));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
              PreviewDisplay::Enlarged(mainWindow->previewPanel().preview().image(), 2).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(mainWindow->previewPanel().preview().image().convertToFormat(QImage::Format_RGB32),
              unmarked.convertToFormat(QImage::Format_RGB32));

    child<QAction>("markSelectionAction")->trigger();
    EXPECT_FALSE(display()->showsMark());
    EXPECT_EQ(readIni("View", "MarkSelection"), QStringLiteral("0"));
    emit elements()->activated(5);
    EXPECT_FALSE(display()->showsMark());
    stop();
    start();
    EXPECT_FALSE(child<QAction>("markSelectionAction")->isChecked());
}

// Catches an export of all screens that replaces pictures without a word, asks once a picture,
// writes any of them after No, or suggests names that have nothing to do with the scheme.
TEST_F(PreviewWindowTest, ExportOfAllScreensAsksOnceBeforeReplacingAndNoWritesNothing)
{
    start({writeScheme("mystyle.sch", "MINE", [](ColourScheme &) {})});
    const QString base = folder.filePath(QStringLiteral("mystyle"));
    auto picture = [&](int screen) { return base + QStringLiteral("-%1.png").arg(screen); };
    for (int screen : {2, 7}) {
        QFile old(picture(screen));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const QString range = QDir::toNativeSeparators(picture(0)) + QStringLiteral(" .. mystyle-7.png");
    const struct {
        bool yes;
        QString question;
    } answers[] = {{false, QStringLiteral("Уже есть файлов: 2 из 8 (%1).\rЗаменить их?").arg(range)},
                   {true, QStringLiteral("Уже есть файлов: 2 из 8 (%1).\rЗаменить их?").arg(range)},
                   {true, QStringLiteral("Files already there: 8 of 8 (%1).\rReplace them?").arg(range)}};
    for (const auto &answer : answers) {
        if (answer.question.startsWith(QLatin1String("Files")))
            child<QAction>("englishAction")->trigger();
        dialogs.questions.clear();
        dialogs.saveFileSuggestions.clear();
        dialogs.saveFileAnswers << base + QStringLiteral(".png");
        dialogs.yesNoAnswers.push_back(answer.yes);
        child<QAction>("exportAllScreensAction")->trigger();
        EXPECT_EQ(dialogs.saveFileSuggestions, QStringList{base + QStringLiteral(".png")});
        ASSERT_EQ(dialogs.questions, QStringList{answer.question});
        for (int screen = 0; screen < 9; ++screen) {
            const bool planted = screen == 2 || screen == 7;
            // The Others screen, 8, draws nothing and is never written.
            const bool written = answer.yes && screen != 8;
            EXPECT_EQ(QImage(picture(screen)).size(), written ? QSize(128, 128) : QSize(0, 0)) << screen;
            EXPECT_EQ(QFileInfo::exists(picture(screen)), written || planted) << screen;
        }
    }
    EXPECT_TRUE(statusBar()->currentMessage().startsWith(QStringLiteral("Written: ") + range + QStringLiteral(". ")))
        << statusBar()->currentMessage().toStdString();

    // Nothing to replace, nothing asked; the current screen is suggested beside the scheme.
    dialogs.questions.clear();
    dialogs.saveFileAnswers << folder.filePath(QStringLiteral("fresh.png"));
    child<QAction>("exportAllScreensAction")->trigger();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("fresh-7.png"))));
    chooseScreen(3);
    child<QAction>("exportScreenAction")->trigger();  // cancelled
    EXPECT_EQ(dialogs.saveFileSuggestions.constLast(), base + QStringLiteral("-3.png"));
}

}  // namespace
}  // namespace tintora::test

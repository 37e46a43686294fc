#include "windowfixture.h"
#include "windowinput.h"

#include "preview/jpegpicture.h"
#include "preview/preview.h"
#include "scheme/catalogue.h"
#include "tests/preview/test_gifwriter.h"
#include "tests/preview/test_jpegwriter.h"

#include <QBuffer>
#include <QComboBox>
#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <random>

namespace tintora::test {
namespace {

class EditingTest : public WindowTest {
protected:
    QListWidget *screens() const { return child<QListWidget>("screenList"); }
    QComboBox *elements() const { return child<QComboBox>("elementCombo"); }
    QSlider *slider() const { return child<QSlider>("transparencySlider"); }
    QSpinBox *spin() const { return child<QSpinBox>("transparencySpin"); }
    QLineEdit *nameField() const { return child<QLineEdit>("schemeNameEdit"); }

    void chooseScreen(int row) const { screens()->setCurrentRow(row); }
    void chooseElement(int index) const
    {
        elements()->setCurrentIndex(index);
        emit elements()->activated(index);
    }
    QStringList elementNames() const
    {
        QStringList names;
        for (int i = 0; i < elements()->count(); ++i)
            names << elements()->itemText(i);
        return names;
    }
    int transparencyOf(int element) const { return mainWindow->scheme().entry(element).transparency; }
};

TEST_F(EditingTest, ChoosingAScreenListsItsElementsAndShowsTheFirst)
{
    start();
    chooseScreen(4);
    EXPECT_EQ(elementNames(), QStringList({"Линия подчеркивания в подменю", "Линия подчеркивания в подменю (когда выделено)"}));
    // Each name's tooltip gives its own element's role, not the list position's.
    EXPECT_EQ(elements()->itemData(1, Qt::ToolTipRole).toString(), QStringLiteral("Роль: Рамка, линия"));
    EXPECT_EQ(elements()->currentIndex(), 0);
    EXPECT_EQ(mainWindow->editing().selectedScreen(), 4);

    chooseScreen(2);
    EXPECT_EQ(elements()->count(), 10);
    EXPECT_EQ(elements()->itemText(9), "Нижняя линия кнопки полосы прокрутки");

    chooseScreen(7);
    EXPECT_EQ(mainWindow->editing().selectedElement(), 43);
    EXPECT_EQ(ColourOf(swatchFill()), mainWindow->scheme().entry(43).colour);
    EXPECT_EQ(slider()->value(), transparencyOf(43));
}

// The preview shows the chosen screen itself, whichever screen was shown before.
TEST_F(EditingTest, ChoosingAScreenShowsThatScreen)
{
    start();
    PreviewSettings settings = mainWindow->settings().preview;
    const PreviewPictures pictures = LoadPreviewPictures();
    Preview reference(mainWindow->scheme(), settings, clock, pictures);
    for (int screen : {3, 8, 1, 5, 2, 7, 4, 6, 0}) {
        chooseScreen(screen);
        reference.RepaintPreview(screen);
        EXPECT_EQ(shownPreview().convertToFormat(QImage::Format_RGB888),
                  reference.image().convertToFormat(QImage::Format_RGB888))
            << "screen " << screen;
    }
}

// From the last element of each screen to the next screen: its first element is listed as
// chosen and shown in the swatch, the slider and the spin box.
TEST_F(EditingTest, SwitchingScreensShowsTheFirstElementOfTheNewScreen)
{
    const QString varied = writeScheme("varied.sch", "VARIED", [](ColourScheme &scheme) {
        for (int e = 1; e <= kElementCount; ++e)
            scheme.entry(e) = {Colour(e * 0x040302), std::uint8_t(e % 16)};
    });
    start({varied});
    for (int screen = 0; screen < kScreenCount; ++screen) {
        chooseElement(ScreenGroupTable[screen].count - 1);
        const int next = (screen + 1) % kScreenCount;
        chooseScreen(next);
        const int first = ScreenGroupTable[next].firstElement;
        SCOPED_TRACE(::testing::Message() << "from screen " << screen << " to " << next);
        EXPECT_EQ(elements()->currentIndex(), 0);
        EXPECT_EQ(mainWindow->editing().selectedElement(), first);
        EXPECT_EQ(ColourOf(swatchFill()), Colour(first * 0x040302));
        EXPECT_EQ(slider()->value(), first % 16);
        EXPECT_EQ(spin()->value(), first % 16);
    }
}

TEST_F(EditingTest, ClickingTheChosenScreenAgainGoesBackToItsFirstElement)
{
    start();
    chooseElement(3);
    QListWidget *list = screens();
    list->resize(193, 185);
    const QRect row = list->visualItemRect(list->item(0));
    QMouseEvent press(QEvent::MouseButtonPress, row.center(), list->mapToGlobal(row.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, row.center(),
                        list->mapToGlobal(row.center()), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &release);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(elements()->currentIndex(), 0);
}

TEST_F(EditingTest, EnglishOthersScreenListsItsNamesInOrder)
{
    writeIni("[Options]\nLanguage=English\n");
    start();
    chooseScreen(8);
    const QStringList names = elementNames();
    ASSERT_EQ(names.size(), 12);
    EXPECT_EQ(names.mid(0, 3), QStringList({"Unknown 1", "Unknown 2", "Unknown 3"}));
    EXPECT_EQ(names.mid(5, 6), QStringList({"Unknown 6", "Unknown 7", "Unknown 8", "Unknown 9",
                                            "Unknown 10", "Unknown 11"}));
    EXPECT_EQ(names.last(), "(Datebook) - Text of the day off");
    EXPECT_EQ(elements()->itemData(11, Qt::ToolTipRole).toString(), "Role: Calendar weekend");
    EXPECT_EQ(elements()->itemData(0, Qt::ToolTipRole).toString(), "Role: Not shown in the preview");
}

TEST_F(EditingTest, ChoosingAnElementShowsItsColourAndTransparency)
{
    start();
    chooseElement(6);  // element 7, Bottom Bar(top)
    EXPECT_EQ(mainWindow->editing().selectedElement(), 7);
    EXPECT_EQ(ColourOf(swatchFill()), 0x808080u);
    EXPECT_EQ(slider()->value(), 8);
    EXPECT_EQ(spin()->value(), 8);
    // The swatch keeps its black frame.
    EXPECT_EQ(child<QLabel>("colourSwatch")->pixmap().toImage().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(child<QLabel>("colourSwatch")->pixmap().toImage().pixel(40, 16), qRgb(0, 0, 0));
}

TEST_F(EditingTest, SliderAndSpinBoxMirrorEachOtherAndKeepPairsEqual)
{
    start();
    chooseScreen(2);
    chooseElement(3);  // element 21, linked with 22

    slider()->setValue(9);
    EXPECT_EQ(spin()->value(), 9);
    EXPECT_EQ(transparencyOf(21), 9);
    EXPECT_EQ(transparencyOf(22), 9);

    spin()->setValue(4);
    EXPECT_EQ(slider()->value(), 4);
    EXPECT_EQ(transparencyOf(21), 4);
    EXPECT_EQ(transparencyOf(22), 4);
}

TEST_F(EditingTest, TransparencyChangeRepaintsTheSelectedScreen)
{
    start();
    chooseElement(6);  // element 7: the soft-key bar, blended with the background
    const QImage before = shownPreview();
    slider()->setValue(15);
    // Fully transparent: the plain background shows where the bar was.
    EXPECT_NE(shownPreview(), before);
    EXPECT_EQ(shownPreview().pixel(100, 126), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(transparencyOf(8), 15);
}

TEST_F(EditingTest, SpinBoxIsSteppedNeverTypedAndStaysInRange)
{
    start();
    chooseElement(6);
    spin()->setValue(15);
    spin()->stepUp();
    EXPECT_EQ(spin()->value(), 15);
    EXPECT_EQ(slider()->maximum(), 15);

    KeyClick(spin(), Qt::Key_Down);
    EXPECT_EQ(spin()->value(), 14);
    EXPECT_EQ(transparencyOf(7), 14);
    KeyClicks(spin(), "3");
    EXPECT_EQ(spin()->value(), 14);

    spin()->setValue(0);
    spin()->stepDown();
    EXPECT_EQ(slider()->value(), 0);
}

TEST_F(EditingTest, ShowingAnElementAlignsItsPartnerOnlyWhenTheShownValueChanges)
{
    const QString changes = writeScheme("pair.sch", "PAIR", [](ColourScheme &scheme) {
        scheme.entry(1).transparency = 0;
        scheme.entry(7).transparency = 2;
        scheme.entry(8).transparency = 10;
    });
    start({changes});
    ASSERT_EQ(slider()->value(), 0);
    chooseElement(6);
    EXPECT_EQ(slider()->value(), 2);
    EXPECT_EQ(transparencyOf(7), 2);
    EXPECT_EQ(transparencyOf(8), 2);
}

TEST_F(EditingTest, ShowingAnElementWithTheShownValueLeavesItsPartner)
{
    const QString same = writeScheme("same.sch", "SAME", [](ColourScheme &scheme) {
        scheme.entry(1).transparency = 2;
        scheme.entry(7).transparency = 2;
        scheme.entry(8).transparency = 10;
    });
    start({same});
    ASSERT_EQ(slider()->value(), 2);
    chooseElement(6);
    EXPECT_EQ(transparencyOf(7), 2);
    EXPECT_EQ(transparencyOf(8), 10);
}

TEST_F(EditingTest, ColourChooserOpensOnTheLastConfirmedColour)
{
    start();
    auto *swatch = child<QLabel>("colourSwatch");
    EXPECT_EQ(swatch->cursor().shape(), Qt::PointingHandCursor);

    chooseElement(1);  // element 2
    dialogs.colourAnswers.push_back(QColor(255, 0, 0));
    Click(swatch);
    ASSERT_EQ(dialogs.colourOpenedOn.size(), 1u);
    EXPECT_EQ(dialogs.colourOpenedOn[0], QColor(0, 0, 0));
    EXPECT_EQ(mainWindow->scheme().entry(2).colour, 0x000000FFu);
    EXPECT_EQ(ColourOf(swatchFill()), 0x000000FFu);

    // Another element: the chooser opens on red, not on that element's colour, which is
    // offered as the first custom colour instead.
    chooseElement(0);
    dialogs.colourAnswers.push_back(std::nullopt);
    Click(swatch);
    ASSERT_EQ(dialogs.colourOpenedOn.size(), 2u);
    EXPECT_EQ(dialogs.colourOpenedOn[1], QColor(255, 0, 0));
    EXPECT_EQ(dialogs.colourOfferedAsCustom[1], QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x00C0C0C0u);
}

TEST_F(EditingTest, CancelledColourChooserStillRepaints)
{
    start();
    chooseElement(1);
    // A change the preview has not shown yet.
    mainWindow->scheme().entry(1).colour = 0x000000FF;
    ASSERT_NE(shownPreview().pixel(64, 64), qRgb(255, 0, 0));
    Click(child<QLabel>("colourSwatch"));
    EXPECT_EQ(shownPreview().pixel(64, 64), qRgb(255, 0, 0));
    EXPECT_EQ(mainWindow->scheme().entry(2).colour, 0u);
}

TEST_F(EditingTest, NameFieldSetsTheSchemeNameAndTheTitle)
{
    start();
    KeyClicks(nameField(), "ABC");
    // Typing is a change not yet saved.
    EXPECT_EQ(shownTitle(), "Tintora - [ABC]*");
    EXPECT_EQ(mainWindow->scheme().name, QByteArray("ABC"));

    // Typed away again at once, the name is as it was: nothing to save.
    nameField()->clear();
    EXPECT_EQ(shownTitle(), "Tintora");
    EXPECT_TRUE(mainWindow->scheme().name.isEmpty());

    // Cyrillic goes in as its Windows-1251 byte; characters 1251 lacks are refused.
    KeyClicks(nameField(), QString::fromUtf8("Жук日"));
    EXPECT_EQ(nameField()->text(), QString::fromUtf8("Жук"));
    EXPECT_EQ(mainWindow->scheme().name, QByteArray("\xC6\xF3\xEA"));

    KeyClicks(nameField(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(nameField()->text().size(), kMaxNameLength);
    EXPECT_EQ(mainWindow->scheme().name.size(), kMaxNameLength);
}

class BackgroundTest : public EditingTest {
protected:
    QPushButton *loadButton() const { return child<QPushButton>("loadBackgroundButton"); }
    QPushButton *clearButton() const { return child<QPushButton>("clearBackgroundButton"); }

    QString writeJpeg(const char *fileName, QColor colour) const
    {
        QImage picture(64, 32, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = folder.filePath(QString::fromLatin1(fileName));
        const QByteArray bytes = test::WriteJpeg(picture, {.quality = 100});
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
};

TEST_F(BackgroundTest, LoadedPictureIsShownAndClearedAgain)
{
    start();
    dialogs.pictureAnswers << writeJpeg("blue.jpg", QColor(0, 0, 255));
    Click(loadButton());
    waitForBackground();

    EXPECT_EQ(dialogs.pictureTitles, QStringList({loadButton()->text()}));
    const QString webp = QImageReader::supportedImageFormats().contains("webp") ? ",*.webp" : "";
    EXPECT_EQ(dialogs.pictureFilters,
              QStringList({"Pictures (*.jpg,*.jpeg,*.png,*.gif,*.bmp" + webp + ")|" +
                           QString("*.jpg,*.jpeg,*.png,*.gif,*.bmp" + webp).replace(',', ';') +
                           "|JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg"}));
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_TRUE(clearButton()->isEnabled());
    const QRgb shown = shownPreview().pixel(64, 64);
    EXPECT_LT(qRed(shown), 20);
    EXPECT_GT(qBlue(shown), 230);

    // Another screen keeps the picture underneath.
    chooseScreen(5);
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());

    chooseScreen(0);
    Click(clearButton());
    EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_FALSE(clearButton()->isEnabled());
    EXPECT_EQ(shownPreview().pixel(64, 64), qRgb(0xC0, 0xC0, 0xC0));
}

// A progressive picture too large to hold whole was refused; it is read at 1/8, and the
// status bar says so.
TEST_F(BackgroundTest, ProgressivePictureTooLargeToHoldWholeIsShownReadAtReducedSize)
{
    writeIni("[Options]\nLanguage=English\n");
    // A dark left half and a light right half, 9000 x 9000 grey.
    const QByteArray large = test::HandMadeProgressiveGray(9000, 9000, [](int bx, int) { return bx < 563 ? -100 : 100; });
    const QString path = folder.filePath(QStringLiteral("large.jpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(large) == large.size());
    file.close();

    start();
    dialogs.pictureAnswers << path;
    Click(loadButton());
    waitForBackground();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(' ').toStdString();
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_EQ(shownPreview().pixel(20, 64), qRgb(28, 28, 28));
    EXPECT_EQ(shownPreview().pixel(100, 64), qRgb(228, 228, 228));
    EXPECT_EQ(child<QStatusBar>("statusBar")->currentMessage(),
              "The picture is 9000 x 9000 pixels, stored in several scans (progressive) and larger than 128 MiB "
              "whole: it was read at 1/8 size");
}

// Catches a wallpaper format refused, read otherwise than its pixels say, or stretched
// otherwise than a JPEG picture: the same pixels paint the same preview whatever the file's
// format, and a JPEG's decoded pixels kept losslessly paint what the JPEG paints.
TEST_F(BackgroundTest, PngGifAndBmpOfTheSamePixelsPaintWhatTheJpegPaints)
{
    start();
    // 48 cells of their own colours, few enough for a GIF.
    QImage cells(200, 150, QImage::Format_RGB32);
    for (int y = 0; y < cells.height(); ++y)
        for (int x = 0; x < cells.width(); ++x) {
            const int cell = x / 25 + 8 * (y / 25);
            cells.setPixel(x, y, qRgb(cell * 5, 255 - cell * 5, (cell * 37) % 256));
        }
    const QByteArray jpeg = test::WriteJpeg(cells, {.quality = 80});
    QBuffer jpegBuffer;
    jpegBuffer.setData(jpeg);
    ASSERT_TRUE(jpegBuffer.open(QIODevice::ReadOnly));
    const std::optional<QImage> decoded = DecodeJpeg(jpegBuffer, nullptr);
    ASSERT_TRUE(decoded);
    const auto saved = [this](const QImage &picture, const char *name, const char *format) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(picture.save(path, format));
        return path;
    };
    const auto written = [this](const QByteArray &bytes, const char *name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    };
    const QImage plain = shownPreview();
    const auto shown = [&](const QString &path) {
        dialogs.pictureAnswers << path;
        Click(loadButton());
        waitForBackground();
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(' ').toStdString();
        dialogs.errors.clear();
        return shownPreview();
    };
    const QImage png = shown(saved(cells, "cells.png", "PNG"));
    EXPECT_NE(png, plain);
    EXPECT_EQ(shown(written(test::WriteGif(cells), "cells.gif")), png);
    EXPECT_EQ(shown(saved(cells, "cells.bmp", "BMP")), png);
    // The names do not decide: a PNG called .jpg is read as the PNG it is.
    EXPECT_EQ(shown(saved(cells, "cells-png.jpg", "PNG")), png);

    const QImage fromJpeg = shown(written(jpeg, "cells.jpg"));
    EXPECT_NE(fromJpeg, png);  // the JPEG's pixels are not quite the cells'
    EXPECT_EQ(shown(saved(*decoded, "decoded.png", "PNG")), fromJpeg);
    EXPECT_EQ(shown(saved(*decoded, "decoded.bmp", "BMP")), fromJpeg);
}

TEST_F(BackgroundTest, PictureThatIsNoJpegIsReportedAndChangesNothing)
{
    start();
    const QString notJpeg = folder.filePath(QStringLiteral("notes.jpg"));
    QFile file(notJpeg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a picture");
    file.close();
    const QImage before = shownPreview();

    dialogs.pictureAnswers << notJpeg;
    Click(loadButton());
    waitForBackground();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(dialogs.errors[0].isEmpty());
    EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_FALSE(clearButton()->isEnabled());
    EXPECT_EQ(shownPreview(), before);

    // A cancelled dialog: nothing at all.
    Click(loadButton());
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_FALSE(clearButton()->isEnabled());
}

// Counts the paintings of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A picture that takes a while to read, as a photograph of grain in progressive,
// arithmetic coding does: while it is read, the window paints, serves clicks and
// says so in its status bar, and Esc drops the picture.
TEST_F(BackgroundTest, WindowStaysLiveWhileAPictureIsRead)
{
    std::mt19937 random(7);
    const QByteArray grain = WriteJpeg(2000, 1500, {.quality = 95, .progressive = true, .arithmetic = true},
                                       [&](int, JSAMPLE *row) {
                                           for (int x = 0; x < 2000 * 3; ++x)
                                               row[x] = JSAMPLE(random());
                                       });
    const QString slow = folder.filePath(QStringLiteral("grain.jpg"));
    QFile file(slow);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(grain) == grain.size());
    file.close();

    startShown();
    const QImage plain = shownPreview();
    PaintCounter counter(child<QWidget>("previewDisplay"));

    dialogs.pictureAnswers << slow;
    Click(loadButton());
    ASSERT_TRUE(mainWindow->previewPanel().readingBackground());
    // A click on another screen is served and painted before the picture has come.
    const QRect row = screens()->visualItemRect(screens()->item(5));
    QTest::mouseClick(screens()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(mainWindow->editing().selectedScreen(), 5);
    QElapsedTimer waited;
    waited.start();
    while (counter.paints == 0 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(mainWindow->previewPanel().readingBackground()) << "the picture came before the window was seen to be live";
    waitForBackground();
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_TRUE(clearButton()->isEnabled());
    EXPECT_TRUE(child<QStatusBar>("statusBar")->currentMessage().isEmpty());

    // Esc drops a picture still being read; the one shown stays.
    Click(clearButton());
    chooseScreen(0);
    dialogs.pictureAnswers << slow;
    Click(loadButton());
    QTest::keyClick(mainWindow.get(), Qt::Key_Escape);
    EXPECT_FALSE(mainWindow->previewPanel().readingBackground());
    waited.restart();
    while (waited.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_EQ(shownPreview(), plain);
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(BackgroundTest, MenuItemLoadsLikeTheButton)
{
    start();
    dialogs.pictureAnswers << writeJpeg("green.jpg", QColor(0, 255, 0));
    child<QAction>("loadBackgroundAction")->trigger();
    waitForBackground();
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_TRUE(clearButton()->isEnabled());
}

}  // namespace
}  // namespace tintora::test

#include "windowfixture.h"
#include "windowinput.h"
#include "windowphoneinmemory.h"
#include "windowpicture.h"

#include "tests/preview/test_gifwriter.h"
#include "tests/preview/test_jpegwriter.h"

#include "preview/preview.h"
#include "scheme/catalogue.h"
#include "settings/recentfiles.h"
#include "ui/languagetables.h"
#include "ui/statusbar.h"

#include <QPushButton>
#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QSpinBox>
#include <QUrl>

#include <functional>
#include <set>

namespace tintora::test {
namespace {

class DocumentTest : public WindowTest {
protected:
    PhoneInMemory handset;

    QString mine;  // a scheme named MINE, element 1 0x111111, given on the command line
    QString other;  // a scheme named OTHER

    void SetUp() override
    {
        mine = writeScheme("mine.sch", "MINE", [](ColourScheme &s) { s.entry(1).colour = 0x111111; });
        other = writeScheme("other.sch", "OTHER", [](ColourScheme &s) { s.entry(1).colour = 0x222222; });
        phoneInUse = &handset;
    }

    void goToPhoneMode()
    {
        handset.status = 1;
        mainWindow->phoneCommands().pollPhone();
        mainWindow->phoneCommands().toggleConnection();
    }

    // Element 1 becomes red through the colour chooser.
    void editColour(QColor colour = QColor(255, 0, 0))
    {
        dialogs.colourAnswers.push_back(colour);
        Click(child<QLabel>("colourSwatch"));
    }

    static ColourScheme fileScheme(const QString &path)
    {
        ColourScheme scheme;
        LoadSchemeFile(scheme, path);
        return scheme;
    }
    static ColourScheme phoneScheme(const QByteArray &bytes)
    {
        SchemeImage image{};
        std::copy(bytes.begin(), bytes.end(), image.begin());
        ColourScheme scheme;
        DecodeScheme(scheme, image);
        return scheme;
    }

    QAction *action(const char *name) const { return child<QAction>(name); }
    QStringList recentPaths() const { return RecentFiles::Read(ProfileFile(iniPath())).paths(); }
};

// Each way of replacing or closing the scheme, with each answer to the question.
struct QuestionCase {
    const char *trigger;
    SaveAnswer answer;
};

std::string CaseName(const ::testing::TestParamInfo<QuestionCase> &info)
{
    static const char *const answers[] = {"Save", "DontSave", "Cancel"};
    return std::string(info.param.trigger) + answers[int(info.param.answer)];
}

class QuestionTest : public DocumentTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionTest, AnswerDecidesWhetherTheEditIsSavedAndTheSchemeReplaced)
{
    const QuestionCase param = GetParam();
    const std::string trigger = param.trigger;
    start({mine});
    if (trigger == "read") {
        goToPhoneMode();
        handset.file = QByteArray(304, 0);
        ColourScheme onPhone = fileScheme(other);
        const SchemeImage image = EncodeScheme(onPhone);
        handset.file = QByteArray(reinterpret_cast<const char *>(image.data()), image.size());
    }
    const QByteArray phoneBefore = handset.file;
    editColour();
    ASSERT_TRUE(mainWindow->document().isModified());
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]*");
    dialogs.saveAnswers.push_back(param.answer);

    bool replaced = false;
    if (trigger == "close") {
        replaced = mainWindow->close();
    } else if (trigger == "open") {
        dialogs.openAnswers << other;
        mainWindow->files().openScheme();
        replaced = mainWindow->scheme().name == "OTHER";
    } else if (trigger == "new") {
        mainWindow->files().newScheme();
        replaced = mainWindow->scheme().name.isEmpty();
    } else if (trigger == "read") {
        mainWindow->files().openScheme();
        replaced = !mainWindow->document().isModified();
    } else if (trigger == "picture") {
        // Past the question the picture is asked for; this one is cancelled.
        action("newFromPictureAction")->trigger();
        replaced = dialogs.pictureTitles.size() == 1;
    }

    ASSERT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_EQ(dialogs.saveQuestions[0].text,
              QString::fromUtf8("Сохранить изменения цветовой палитры «MINE»?"));
    EXPECT_EQ(dialogs.saveQuestions[0].dontSave, QString::fromUtf8("&Не сохранять"));
    EXPECT_EQ(replaced, param.answer != SaveAnswer::Cancel);

    // Save goes through the normal save path: the file in computer mode, the phone in
    // phone mode (which then offers a restart).
    const bool saved = param.answer == SaveAnswer::Save;
    if (trigger == "read") {
        EXPECT_EQ(phoneScheme(handset.file).entry(1).colour, saved ? 0x0000FFu : 0x222222u);
        EXPECT_EQ(dialogs.questions.size(), saved ? 1 : 0);
    } else {
        EXPECT_EQ(fileScheme(mine).entry(1).colour, saved ? 0x0000FFu : 0x111111u);
        EXPECT_EQ(handset.file, phoneBefore);
    }
    if (param.answer == SaveAnswer::Cancel) {
        EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0000FFu);
        EXPECT_TRUE(mainWindow->document().isModified());
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayAndAnswer, QuestionTest,
    ::testing::Values(QuestionCase{"close", SaveAnswer::Save},
                      QuestionCase{"close", SaveAnswer::DontSave},
                      QuestionCase{"close", SaveAnswer::Cancel},
                      QuestionCase{"open", SaveAnswer::Save},
                      QuestionCase{"open", SaveAnswer::DontSave},
                      QuestionCase{"open", SaveAnswer::Cancel},
                      QuestionCase{"new", SaveAnswer::Save},
                      QuestionCase{"new", SaveAnswer::DontSave},
                      QuestionCase{"new", SaveAnswer::Cancel},
                      QuestionCase{"read", SaveAnswer::Save},
                      QuestionCase{"read", SaveAnswer::DontSave},
                      QuestionCase{"read", SaveAnswer::Cancel},
                      QuestionCase{"picture", SaveAnswer::Save},
                      QuestionCase{"picture", SaveAnswer::DontSave},
                      QuestionCase{"picture", SaveAnswer::Cancel}),
    CaseName);

// Catches a button of the question that Alt and a letter cannot reach, or two that share
// the letter, in either language.
TEST_F(DocumentTest, TheQuestionsButtonsHaveDistinctAltLetters)
{
    start();
    editColour();
    for (const char *language : {"russianAction", "englishAction"}) {
        mainWindow->chooseLanguage(child<QAction>(language));
        dialogs.saveAnswers.push_back(SaveAnswer::Cancel);
        EXPECT_FALSE(mainWindow->close());
        const SaveQuestion question = dialogs.saveQuestions.back();
        std::set<int> letters;
        for (const QString &button : {question.save, question.dontSave, question.cancel}) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(button);
            ASSERT_FALSE(mnemonic.isEmpty()) << button.toStdString();
            EXPECT_TRUE(letters.insert(mnemonic[0].toCombined()).second) << button.toStdString();
        }
    }
}

TEST_F(DocumentTest, NothingIsAskedWithoutChangesAndTheTitleKeepsItsExactText)
{
    start({mine});
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]");
    EXPECT_FALSE(mainWindow->isWindowModified());
    EXPECT_TRUE(mainWindow->close());
    EXPECT_TRUE(dialogs.saveQuestions.empty());
}

TEST_F(DocumentTest, SaveThatFailsOrIsCancelledKeepsTheWindowAndTheEdits)
{
    writeIni("[Options]\nLanguage=English\n");
    start();
    editColour();
    // No current file: the save dialog is cancelled.
    dialogs.saveAnswers.push_back(SaveAnswer::Save);
    EXPECT_FALSE(mainWindow->close());
    EXPECT_EQ(dialogs.saveQuestions.back().text, "Save the changes to the colour style?");
    EXPECT_EQ(dialogs.saveQuestions.back().save, "&Save");
    EXPECT_TRUE(mainWindow->document().isModified());

    // A file that cannot be written: the window stays.
    dialogs.saveAnswers.push_back(SaveAnswer::Save);
    dialogs.saveFileAnswers << folder.path();
    EXPECT_FALSE(mainWindow->close());
    EXPECT_TRUE(mainWindow->document().isModified());
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0000FFu);
}

TEST_F(DocumentTest, SavingClearsTheMarkAndNewBuildsTheDefaultScheme)
{
    start({mine});
    editColour();
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]*");
    mainWindow->files().saveScheme();
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]");
    EXPECT_FALSE(mainWindow->document().isModified());

    mainWindow->files().newScheme();
    ColourScheme expected;
    BuildDefaultScheme(expected);
    EXPECT_EQ(mainWindow->scheme(), expected);
    EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
    EXPECT_EQ(shownTitle(), "Tintora");
    EXPECT_FALSE(action("undoAction")->isEnabled());
    EXPECT_TRUE(child<StatusBar>("statusBar")->filePath().isEmpty());
}

TEST_F(DocumentTest, SaveAsWritesTheChosenFileWhichBecomesCurrentAlsoInPhoneMode)
{
    start({mine});
    EXPECT_EQ(child<StatusBar>("statusBar")->filePath(), QDir::toNativeSeparators(mine));
    goToPhoneMode();
    const QByteArray phoneBefore = handset.file;
    editColour();
    const QString copy = folder.filePath(QStringLiteral("copy.sch"));
    dialogs.saveFileAnswers << copy;

    mainWindow->files().saveSchemeAs();
    EXPECT_EQ(dialogs.fileTitles, QStringList{QString::fromUtf8("Сохранить как")});
    EXPECT_EQ(dialogs.saveFileSuggestions, QStringList{mine});
    EXPECT_EQ(fileScheme(copy).entry(1).colour, 0x0000FFu);
    EXPECT_EQ(fileScheme(mine).entry(1).colour, 0x111111u);
    EXPECT_EQ(handset.file, phoneBefore);
    EXPECT_EQ(mainWindow->currentFilePath(), copy);
    EXPECT_EQ(mainWindow->windowFilePath(), copy);
    EXPECT_EQ(child<StatusBar>("statusBar")->filePath(), QDir::toNativeSeparators(copy));
    EXPECT_FALSE(mainWindow->document().isModified());
    EXPECT_EQ(recentPaths(), QStringList{copy});

    // A cancelled Save As changes nothing.
    editColour(QColor(0, 255, 0));
    mainWindow->files().saveSchemeAs();
    EXPECT_EQ(mainWindow->currentFilePath(), copy);
    EXPECT_TRUE(mainWindow->document().isModified());
}

TEST_F(DocumentTest, RecentFilesOpenAndAMissingOneIsReportedAndDropped)
{
    start();
    QMenu *recent = child<QMenu>("recentFilesMenu");
    EXPECT_FALSE(recent->menuAction()->isEnabled());

    dialogs.openAnswers << mine;
    mainWindow->files().openScheme();
    dialogs.openAnswers << other;
    mainWindow->files().openScheme();
    EXPECT_EQ(recentPaths(), QStringList({other, mine}));
    EXPECT_EQ(readIni("Recent", "File1"), other);
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_TRUE(recent->actions()[1]->text().endsWith(QDir::toNativeSeparators(mine)));

    recent->actions()[1]->trigger();
    EXPECT_EQ(mainWindow->scheme().name, "MINE");
    EXPECT_EQ(mainWindow->currentFilePath(), mine);
    EXPECT_EQ(recentPaths(), QStringList({mine, other}));

    QFile::remove(other);
    recent->actions()[1]->trigger();
    ASSERT_EQ(dialogs.informed.size(), 1);
    EXPECT_EQ(dialogs.informed[0], MissingRecentFileText(QDir::toNativeSeparators(other)));
    EXPECT_EQ(mainWindow->scheme().name, "MINE");
    EXPECT_EQ(recentPaths(), QStringList{mine});
    EXPECT_EQ(recent->actions().size(), 1);
}

class HistoryTest : public DocumentTest {
protected:
    QSlider *slider() const { return child<QSlider>("transparencySlider"); }
    QComboBox *elements() const { return child<QComboBox>("elementCombo"); }
    QLineEdit *nameField() const { return child<QLineEdit>("schemeNameEdit"); }
    int steps() { return mainWindow->document().history().count(); }
    void chooseElement(int index) const
    {
        elements()->setCurrentIndex(index);
        emit elements()->activated(index);
    }
    void undo() { action("undoAction")->trigger(); }
    void redo() { action("redoAction")->trigger(); }
};

TEST_F(HistoryTest, ColourChangeIsUndoneAndRedoneWithItsNameInTheMenu)
{
    writeIni("[Options]\nLanguage=English\n");
    start({mine});
    EXPECT_EQ(action("undoAction")->text(), "&Undo");
    EXPECT_FALSE(action("undoAction")->isEnabled());
    const QImage before = shownPreview();
    editColour();
    EXPECT_EQ(Shown(action("undoAction")->text()), "Undo colour of " + EnglishElementName(1));

    undo();
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x111111u);
    EXPECT_EQ(shownPreview(), before);
    EXPECT_EQ(ColourOf(swatchFill()), 0x111111u);
    EXPECT_FALSE(mainWindow->document().isModified());
    EXPECT_EQ(Shown(action("redoAction")->text()), "Redo colour of " + EnglishElementName(1));

    redo();
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0000FFu);
    EXPECT_NE(shownPreview(), before);
    EXPECT_TRUE(mainWindow->document().isModified());

    // The texts follow the interface language.
    mainWindow->chooseLanguage(action("russianAction"));
    EXPECT_EQ(Shown(action("undoAction")->text()),
              "Отменить цвет «Фон основного экрана»");
}

TEST_F(HistoryTest, ColourTypedInTheHexFieldIsAStepToo)
{
    start({mine});
    auto *hex = child<QLineEdit>("colourHexEdit");
    hex->selectAll();
    KeyClicks(hex, QStringLiteral("#12ab34"));
    KeyClick(hex, Qt::Key_Return);
    ASSERT_EQ(mainWindow->scheme().entry(1).colour, 0x34AB12u);
    EXPECT_TRUE(mainWindow->document().isModified());
    undo();
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x111111u);
    EXPECT_EQ(hex->text(), QStringLiteral("#111111"));
}

TEST_F(HistoryTest, SliderDragIsOneStepAndKeyStepsAreOneEach)
{
    start({mine});
    chooseElement(6);  // element 7, linked with 8
    const int start7 = mainWindow->scheme().entry(7).transparency;
    const int start8 = mainWindow->scheme().entry(8).transparency;
    ASSERT_EQ(steps(), 0);

    slider()->setSliderDown(true);
    for (int value : {9, 10, 11, 12})
        slider()->setValue(value);
    slider()->setSliderDown(false);
    EXPECT_EQ(steps(), 1);
    EXPECT_EQ(mainWindow->scheme().entry(8).transparency, 12);

    child<QSpinBox>("transparencySpin")->stepDown();
    child<QSpinBox>("transparencySpin")->stepDown();
    EXPECT_EQ(steps(), 3);

    undo();
    undo();
    undo();
    EXPECT_EQ(mainWindow->scheme().entry(7).transparency, start7);
    EXPECT_EQ(mainWindow->scheme().entry(8).transparency, start8);
    EXPECT_EQ(slider()->value(), start7);
    EXPECT_EQ(child<QSpinBox>("transparencySpin")->value(), start7);
    EXPECT_FALSE(mainWindow->document().isModified());
    // Showing the restored value stored nothing over it.
    EXPECT_EQ(steps(), 3);

    // A drag that ends where it began is no change at all.
    mainWindow->document().startFresh();
    slider()->setSliderDown(true);
    slider()->setValue(start7 + 3);
    slider()->setValue(start7);
    slider()->setSliderDown(false);
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(mainWindow->document().isModified());
}

TEST_F(HistoryTest, NameTypingIsOneStepPerPause)
{
    start({mine});
    nameField()->clear();
    clock.set(clock.now().addMSecs(SchemeDocument::kTypingPauseMs + 1));
    KeyClicks(nameField(), "AB");
    clock.set(clock.now().addMSecs(SchemeDocument::kTypingPauseMs + 1));
    KeyClicks(nameField(), "C");
    EXPECT_EQ(mainWindow->scheme().name, "ABC");

    undo();
    EXPECT_EQ(mainWindow->scheme().name, "AB");
    EXPECT_EQ(nameField()->text(), "AB");
    EXPECT_EQ(shownTitle(), "Tintora - [AB]*");
    undo();
    EXPECT_EQ(mainWindow->scheme().name, "");
    undo();
    EXPECT_EQ(mainWindow->scheme().name, "MINE");
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]");
    redo();
    EXPECT_EQ(nameField()->text(), "");
}

TEST_F(HistoryTest, UndoGoesToTheElementThatChangedOnItsScreen)
{
    start({mine});
    child<QListWidget>("screenList")->setCurrentRow(7);
    ASSERT_EQ(mainWindow->editing().selectedElement(), 43);
    const QImage original = shownPreview();
    editColour();
    child<QListWidget>("screenList")->setCurrentRow(2);
    chooseElement(3);

    undo();
    EXPECT_EQ(mainWindow->editing().selectedScreen(), 7);
    EXPECT_EQ(child<QListWidget>("screenList")->currentRow(), 7);
    EXPECT_EQ(mainWindow->editing().selectedElement(), 43);
    EXPECT_EQ(ColourOf(swatchFill()), mainWindow->scheme().entry(43).colour);
    EXPECT_EQ(shownPreview(), original);
}

TEST_F(HistoryTest, OpenNewAndPhoneReadStartAFreshHistory)
{
    start({mine});
    editColour();
    dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
    dialogs.openAnswers << other;
    mainWindow->files().openScheme();
    EXPECT_EQ(steps(), 0);
    EXPECT_FALSE(action("undoAction")->isEnabled());

    editColour();
    dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
    mainWindow->files().newScheme();
    EXPECT_EQ(steps(), 0);

    goToPhoneMode();
    const SchemeImage image = EncodeScheme(mainWindow->scheme());
    handset.file = QByteArray(reinterpret_cast<const char *>(image.data()), image.size());
    editColour();
    dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
    mainWindow->files().openScheme();
    EXPECT_EQ(steps(), 0);
}

// Catches changes made while a step is undone or redone, as the window's handlers make them
// when they show the restored values, recorded as steps of their own: they would cut off the
// redo, and the undo would undo itself.
TEST_F(HistoryTest, ChangesMadeWhileUndoingOrRedoingAreNoStepsOfTheirOwn)
{
    start({mine});
    editColour();
    editColour(QColor(0, 255, 0));
    SchemeDocument &document = mainWindow->document();
    QObject::connect(&document, &SchemeDocument::restored, [&document] {
        const ColourScheme before = document.scheme;
        document.scheme.entry(8).transparency = 15 - before.entry(8).transparency;
        document.record(EditKind::Transparency, 8, before);
    });
    undo();
    EXPECT_EQ(steps(), 2);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0000FFu);
    EXPECT_TRUE(action("redoAction")->isEnabled());
    redo();
    EXPECT_EQ(steps(), 2);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x00FF00u);
}

// Catches New from picture recolouring the open file, so that the next Save overwrites it
// without a question, an undo that brings the colours back without the file they belong to,
// and a redo that forgets where the suggestion was saved meanwhile.
TEST_F(HistoryTest, NewFromPictureIsAnUntitledSchemeThatUndoTakesBackToItsFile)
{
    const auto bytes = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray mineBefore = bytes(mine);
    start({mine});
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("field.jpg")));
    action("newFromPictureAction")->trigger();
    waitForBackground();
    chooseSuggestion(0);
    const ColourScheme suggested = mainWindow->scheme();
    EXPECT_NE(suggested, fileScheme(mine));
    EXPECT_EQ(suggested.name, "");
    EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
    EXPECT_TRUE(child<StatusBar>("statusBar")->filePath().isEmpty());
    EXPECT_EQ(shownTitle(), "Tintora*");

    // Ctrl+S asks for a name; cancelled, nothing is written.
    action("saveAction")->trigger();
    EXPECT_EQ(dialogs.fileTitles.size(), 1);
    EXPECT_EQ(bytes(mine), mineBefore);

    undo();
    EXPECT_EQ(mainWindow->scheme(), fileScheme(mine));
    EXPECT_EQ(mainWindow->currentFilePath(), mine);
    EXPECT_EQ(child<StatusBar>("statusBar")->filePath(), QDir::toNativeSeparators(mine));
    EXPECT_EQ(nameField()->text(), "MINE");
    EXPECT_EQ(shownTitle(), "Tintora - [MINE]");

    redo();
    EXPECT_EQ(mainWindow->scheme(), suggested);
    EXPECT_TRUE(mainWindow->currentFilePath().isEmpty());
    EXPECT_EQ(shownTitle(), "Tintora*");
    const QString saved = folder.filePath(QStringLiteral("field.sch"));
    dialogs.saveFileAnswers << saved;
    action("saveAction")->trigger();
    EXPECT_EQ(fileScheme(saved).entry(1), suggested.entry(1));
    EXPECT_EQ(bytes(mine), mineBefore);
    undo();
    EXPECT_EQ(mainWindow->currentFilePath(), mine);
    redo();
    EXPECT_EQ(mainWindow->currentFilePath(), saved);
}

// Drops arrive at the window; a picture counts only over the preview.
class DropTest : public DocumentTest {
protected:
    bool drag(const QString &path, QPoint at)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mainWindow.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mainWindow.get(), &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(mainWindow.get(), &drop);
        QApplication::processEvents();
        return move.isAccepted();
    }
    QPoint onPreview() const { return child<QLabel>("previewDisplay")->mapTo(mainWindow.get(), QPoint(64, 64)); }
    QPoint onList() const { return child<QListWidget>("screenList")->mapTo(mainWindow.get(), QPoint(20, 20)); }
    QString jpeg()
    {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const QString path = folder.filePath(QStringLiteral("blue.jpeg"));
        const QByteArray bytes = test::WriteJpeg(picture, {.quality = 100});
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return path;
    }
};

TEST_F(DropTest, SchemeDroppedAnywhereOpensAfterTheQuestion)
{
    start({mine});
    editColour();
    dialogs.saveAnswers.push_back(SaveAnswer::Cancel);
    EXPECT_TRUE(drag(other, onList()));
    EXPECT_EQ(dialogs.saveQuestions.size(), 1u);
    EXPECT_EQ(mainWindow->scheme().name, "MINE");

    dialogs.saveAnswers.push_back(SaveAnswer::DontSave);
    EXPECT_TRUE(drag(other, onPreview()));
    EXPECT_EQ(mainWindow->scheme().name, "OTHER");
    EXPECT_EQ(mainWindow->currentFilePath(), other);
    EXPECT_FALSE(mainWindow->document().isModified());
}

TEST_F(DropTest, PictureBecomesTheBackgroundOnlyOverThePreview)
{
    start();
    const QString picture = jpeg();
    EXPECT_FALSE(drag(picture, onList()));
    EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());

    EXPECT_TRUE(drag(picture, onPreview()));
    waitForBackground();
    EXPECT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_GT(qBlue(shownPreview().pixel(64, 64)), 200);

    const QString text = folder.filePath(QStringLiteral("notes.txt"));
    EXPECT_FALSE(drag(text, onPreview()));

    // Catches the wallpapers' other formats refused at the drop.
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(Qt::red);
    const auto encoded = [&red](const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && red.save(&buffer, format));
        return bytes;
    };
    const std::pair<const char *, QByteArray> pictures[] = {
        {"red.png", encoded("PNG")}, {"red.GIF", test::WriteGif(red)}, {"red.bmp", encoded("BMP")}};
    for (const auto &[name, bytes] : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        EXPECT_TRUE(drag(path, onPreview())) << name;
        waitForBackground();
        EXPECT_GT(qRed(shownPreview().pixel(64, 64)), 200) << name;
        EXPECT_TRUE(drag(picture, onPreview()));
        waitForBackground();
    }
}

// Each command that replaces the scheme or the background, given while a suggestion waits
// for its picture.
class ReplaceTest : public DropTest, public ::testing::WithParamInterface<const char *> {};

// Catches the title not set by a load (the scheme loaded and the one before have the same
// empty name, so only the load can give the title its brackets), a suggestion still waiting
// for its picture landing on the scheme or the background that came meanwhile, or offering
// its choice over the scheme that came.
TEST_P(ReplaceTest, TheTitleFollowsALoadAndAPendingSuggestionIsDropped)
{
    const std::string command = GetParam();
    // A file may hold an empty name, which a save never writes.
    const QString blank = writeScheme("blank.sch", "X", [](ColourScheme &s) { s.entry(1).colour = 0x333333; });
    {
        QFile file(blank);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(9) && file.putChar(0));
    }
    writeIni("[Recent]\nFile1=" + blank.toUtf8() + "\n");
    start({mine});
    if (command == "read") {
        goToPhoneMode();
        QFile file(blank);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        handset.file = file.readAll();
    }
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("field.jpg")));
    action("newFromPictureAction")->trigger();
    waitForBackground();
    chooseSuggestion(0);
    const ColourScheme suggested = mainWindow->scheme();
    const QImage background = mainWindow->previewPanel().preview().backgroundPicture();
    ASSERT_EQ(shownTitle(), "Tintora*");
    // A large picture of other colours, still being read when the command comes.
    dialogs.saveAnswers = {SaveAnswer::DontSave, SaveAnswer::DontSave};
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("dusk.jpg")), QSize(1600, 1200), true);
    action("newFromPictureAction")->trigger();
    ASSERT_TRUE(mainWindow->previewPanel().readingBackground());

    if (command == "open") {
        dialogs.openAnswers << blank;
        mainWindow->files().openScheme();
    } else if (command == "read") {
        mainWindow->files().openScheme();
    } else if (command == "drop") {
        EXPECT_TRUE(drag(blank, onList()));
    } else if (command == "recent") {
        child<QMenu>("recentFilesMenu")->actions().value(0)->trigger();
    } else if (command == "new") {
        mainWindow->files().newScheme();
    } else if (command == "clear") {
        mainWindow->previewPanel().clearBackgroundPicture();
    }
    waitForBackground();
    QCoreApplication::processEvents();

    if (command == "clear") {
        EXPECT_EQ(mainWindow->scheme(), suggested);
        EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
        EXPECT_EQ(shownTitle(), "Tintora*");
        return;
    }
    ColourScheme loaded = fileScheme(blank);
    if (command == "new") {
        loaded = ColourScheme{};
        BuildDefaultScheme(loaded);
    }
    EXPECT_EQ(mainWindow->scheme(), loaded);
    EXPECT_EQ(shownTitle(), command == "new" ? "Tintora" : "Tintora - []");
    EXPECT_EQ(mainWindow->previewPanel().preview().backgroundPicture(), background);
    EXPECT_EQ(mainWindow->findChild<QListWidget *>(QStringLiteral("suggestionList")), nullptr);
}

// Catches a background picture still being read coming back after Clear background.
TEST_F(DropTest, ClearBackgroundDropsAPictureStillBeingRead)
{
    start({mine});
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("field.jpg")));
    mainWindow->previewPanel().chooseBackgroundPicture();
    waitForBackground();
    ASSERT_FALSE(mainWindow->previewPanel().preview().plainBackground());
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("dusk.jpg")), QSize(1600, 1200), true);
    mainWindow->previewPanel().chooseBackgroundPicture();
    ASSERT_TRUE(mainWindow->previewPanel().readingBackground());
    mainWindow->previewPanel().clearBackgroundPicture();
    waitForBackground();
    QCoreApplication::processEvents();
    EXPECT_TRUE(mainWindow->previewPanel().preview().plainBackground());
    EXPECT_FALSE(child<QPushButton>("clearBackgroundButton")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(EachCommand, ReplaceTest,
                         ::testing::Values("open", "read", "drop", "recent", "new", "clear"),
                         [](const auto &info) { return std::string(info.param); });

}  // namespace
}  // namespace tintora::test

#include "windowfixture.h"

#include "ui/qtwindowdialogs.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tintora::test {
namespace {

// Runs act on the first modal dialog of type T once it is open.
template <typename T>
void WhenOpen(const std::function<void(T *)> &act)
{
    QTimer::singleShot(0, [act] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

// A name typed without an extension used to be saved as is, and the Open filter then hid it.
TEST(QtWindowDialogsTest, SaveDialogAddsTheFiltersExtensionToABareName)
{
    QTemporaryDir folder;
    QtWindowDialogs dialogs;
    const struct {
        const char *typed;
        const char *saved;
    } cases[] = {{"mine", "mine.sch"}, {"mine.sch", "mine.sch"}, {"notes.txt", "notes.txt"}};
    for (const auto &c : cases) {
        WhenOpen<QFileDialog>([&](QFileDialog *dialog) {
            dialog->selectFile(folder.filePath(QString::fromLatin1(c.typed)));
            static_cast<QDialog *>(dialog)->accept();  // the file dialog's own checks run
        });
        const QString path = dialogs.chooseSaveFile("Save", "Colour styles(*.sch)|*.sch", "spcolor.sch");
        EXPECT_EQ(QFileInfo(path).fileName(), QString::fromLatin1(c.saved));
    }
    EXPECT_EQ(DefaultSuffix("JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg"), "jpg");
    EXPECT_EQ(DefaultSuffix("All(*.*)|*.*"), "");
}

TEST(QtWindowDialogsTest, SaveQuestionShowsItsTextsAndReturnsTheButtonPressed)
{
    QtWindowDialogs dialogs;
    const SaveQuestion question{"Save?", "Keep", "Throw away", "Go back"};
    const std::pair<const char *, SaveAnswer> cases[] = {
        {"Keep", SaveAnswer::Save}, {"Throw away", SaveAnswer::DontSave}, {"Go back", SaveAnswer::Cancel}};
    for (const auto &[button, answer] : cases) {
        WhenOpen<QMessageBox>([button = QString::fromLatin1(button)](QMessageBox *box) {
            EXPECT_EQ(box->text(), "Save?");
            for (QAbstractButton *b : box->buttons()) {
                if (b->text() == button)
                    b->click();
            }
        });
        EXPECT_EQ(dialogs.askToSave(question), answer);
    }
    // Escape is Cancel.
    WhenOpen<QMessageBox>([](QMessageBox *box) { box->reject(); });
    EXPECT_EQ(dialogs.askToSave(question), SaveAnswer::Cancel);
}

// Catches Qt's own texts left in the system's language, or not following a switch: the
// buttons of a box and the colour chooser speak the interface language, Russian first.
// The chooser also holds the element's colour as its first custom colour.
TEST_F(WindowTest, QtDialogsSpeakTheInterfaceLanguageAfterEachSwitch)
{
    start();
    QtWindowDialogs qt;
    qt.setOwner(mainWindow.get());
    const struct {
        const char *language;
        QString yes;
        QString chooserTitle;
    } cases[] = {{nullptr, QStringLiteral("&Да"), QStringLiteral("Выбор цвета")},
                 {"englishAction", QStringLiteral("&Yes"), QStringLiteral("Select Color")},
                 {"russianAction", QStringLiteral("&Да"), QStringLiteral("Выбор цвета")}};
    for (const auto &c : cases) {
        if (c.language)
            child<QAction>(c.language)->trigger();
        WhenOpen<QMessageBox>([&](QMessageBox *box) {
            EXPECT_EQ(box->button(QMessageBox::Yes)->text(), c.yes);
            box->button(QMessageBox::No)->click();
        });
        EXPECT_FALSE(qt.askYesNo(QStringLiteral("?")));
        WhenOpen<QColorDialog>([&](QColorDialog *chooser) {
            EXPECT_EQ(chooser->windowTitle(), c.chooserTitle);
            chooser->reject();
        });
        EXPECT_EQ(qt.chooseColour(Qt::black, QColor(1, 2, 3)), std::nullopt);
        EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 2, 3));
    }
}

// Catches Qt's own file dialog cutting its sizes and dates short ("304...tes", "...:07:54"):
// every column of a scheme's row shows its text whole, within the view, in both languages.
TEST_F(WindowTest, FileDialogsShowSizesAndDatesWhole)
{
    start();
    QtWindowDialogs qt;
    qt.setOwner(mainWindow.get());
    const QString scheme = writeScheme("spcolor.sch", "ABC", [](ColourScheme &) {});
    for (const char *language : {"russianAction", "englishAction"}) {
        child<QAction>(language)->trigger();
        for (const bool save : {false, true}) {
            WhenOpen<QFileDialog>([&](QFileDialog *dialog) {
                // Closed whatever the checks find, so a failure cannot hang the test.
                const auto close = qScopeGuard([dialog] { dialog->reject(); });
                dialog->setDirectory(QFileInfo(scheme).path());
                auto *view = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
                ASSERT_NE(view, nullptr);
                auto *files = qobject_cast<QFileSystemModel *>(view->model());
                ASSERT_NE(files, nullptr);
                const auto row = [&] { return files->index(scheme); };
                ASSERT_TRUE(QTest::qWaitFor([&] { return row().isValid() && !row().siblingAtColumn(3).data().toString().isEmpty(); }));
                // An item's text keeps the style's focus margin and a pixel on either side.
                const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
                const QFontMetrics metrics(view->font());
                const QHeaderView *header = view->header();
                for (const int column : {1, 3}) {
                    const QString text = row().siblingAtColumn(column).data().toString();
                    const int width = metrics.horizontalAdvance(text) + margins;
                    const std::string where = text.toStdString() + " in " + language + (save ? " Save" : " Open");
                    EXPECT_LE(width, header->sectionSize(column)) << where;
                    EXPECT_LE(header->sectionViewportPosition(column) + width, view->viewport()->width()) << where;
                }
            });
            if (save)
                qt.chooseSaveFile(QStringLiteral("Save"), QStringLiteral("Colour styles(*.sch)|*.sch"), QStringLiteral("spcolor.sch"));
            else
                qt.chooseOpenFile(QStringLiteral("Open"), QStringLiteral("Colour styles(*.sch)|*.sch"));
        }
    }
}

}  // namespace
}  // namespace tintora::test

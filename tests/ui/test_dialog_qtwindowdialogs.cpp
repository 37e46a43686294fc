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
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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

}  // namespace
}  // namespace tintora::test

#include "windowfixture.h"
#include "windowinput.h"

#include "ui/contact.h"
#include "ui/qtwindowdialogs.h"

#include <QAction>
#include <QEnterEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace tintora::test {
namespace {

class AboutBoxTest : public WindowTest {
protected:
    QLabel *email() const { return aboutDialog->findChild<QLabel *>(QStringLiteral("emailLink")); }
};

TEST_F(AboutBoxTest, TitleFollowsTheLanguage)
{
    start();
    EXPECT_EQ(aboutDialog->windowTitle(), QString::fromUtf8("О программе"));
    stop();
    writeIni("[Options]\nLanguage=English\n");
    start();
    EXPECT_EQ(aboutDialog->windowTitle(), "About");
    child<QAction>("russianAction")->trigger();
    EXPECT_EQ(aboutDialog->windowTitle(), QString::fromUtf8("О программе"));
}

TEST_F(AboutBoxTest, ShowsProductVersionPictureAndContact)
{
    start();
    EXPECT_EQ(aboutDialog->findChild<QLabel *>("productName")->text(), "Product Name: Tintora");
    EXPECT_EQ(aboutDialog->findChild<QLabel *>("version")->text(), "Version: 0.3.0.0");
    EXPECT_EQ(email()->text(), QStringLiteral("E-mail: ") + QLatin1String(kContactAddress));
    auto *picture = aboutDialog->findChild<QLabel *>("programIcon");
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->size(), QSize(73, 57));
    EXPECT_TRUE(picture->hasScaledContents());
}

TEST_F(AboutBoxTest, ContactUnderlinesUnderTheMouseAndOpensMail)
{
    start();
    const QColor colour = email()->palette().color(QPalette::WindowText);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(email(), &enter);
    EXPECT_TRUE(email()->font().underline());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(email(), &leave);
    EXPECT_FALSE(email()->font().underline());
    EXPECT_EQ(email()->palette().color(QPalette::WindowText), colour);

    Click(email());
    ASSERT_EQ(dialogs.openedUrls.size(), 1u);
    EXPECT_EQ(dialogs.openedUrls[0], QUrl(QStringLiteral("mailto:support@tintora.app")));
}

TEST_F(AboutBoxTest, EscapeDoesNotCloseButEnterDoes)
{
    start();
    bool openAfterEscape = false;
    QTimer::singleShot(0, aboutDialog.get(), [&] {
        KeyClick(aboutDialog.get(), Qt::Key_Escape);
        openAfterEscape = aboutDialog->isVisible();
        KeyClick(aboutDialog->findChild<QPushButton *>("okButton"), Qt::Key_Return);
    });
    child<QAction>("aboutAction")->trigger();
    EXPECT_TRUE(openAfterEscape);
    EXPECT_FALSE(aboutDialog->isVisible());
}

TEST_F(AboutBoxTest, OpensInTheMiddleOfTheScreenWhereverTheWindowIs)
{
    start();
    mainWindow->show();
    mainWindow->move(0, 0);
    QPoint centre;
    QTimer::singleShot(0, aboutDialog.get(), [&] {
        centre = aboutDialog->frameGeometry().center();
        aboutDialog->accept();
    });
    child<QAction>("aboutAction")->trigger();
    EXPECT_EQ(aboutDialog->size(), QSize(241, 236));
    EXPECT_EQ(centre, aboutDialog->screen()->availableGeometry().center());
}

TEST(QtFileFilterTest, PairsBecomeQtFilters)
{
    EXPECT_EQ(QtFileFilter(QString::fromUtf8("Цветовые палитры(*.sch)|*.sch|Все(*.*)|*.*")),
              QString::fromUtf8("Цветовые палитры(*.sch) (*.sch);;Все(*.*) (*.*)"));
    EXPECT_EQ(QtFileFilter("JPEG Image File (*.jpg,*.jpeg)|*.jpg;*.jpeg"),
              "JPEG Image File (*.jpg,*.jpeg) (*.jpg *.jpeg)");
}

}  // namespace
}  // namespace tintora::test

// Help > Manual: the user manual in the interface language, its links, F1.
#include "windowfixture.h"

#include "ui/manualwindow.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

namespace tintora::test {
namespace {

// The first heading of the page shown, as rendered: empty when the page is missing or was
// not read as Markdown.
QString FirstHeading(QTextBrowser &browser)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text();
    }
    return QString();
}

struct ManualCase {
    const char *languageAction;
    QString title;
    QString heading;
    QString otherHeading;  // of the page its language link leads to
};

// Catches F1 opening anything else, a page or a title in the wrong language, a page not
// rendered as Markdown, a window that keeps its page when the language changes while it is
// open, a link between the pages that leads nowhere or cannot be followed from the
// keyboard, no way back, and an Esc that leaves the window open.
TEST_F(WindowTest, F1OpensTheManualInTheInterfaceLanguageWithItsLinks)
{
    writeIni("[Options]\nLanguage=English\n");
    startShown();
    // A modal box opened by F1 instead would hold the test up: it is closed, and found out.
    QTimer::singleShot(0, mainWindow.get(), [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    QTest::keyClick(mainWindow.get(), Qt::Key_F1);
    auto *manual = mainWindow->findChild<ManualWindow *>();
    ASSERT_NE(manual, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(manual));
    QTextBrowser &browser = manual->browser();

    const ManualCase cases[] = {
        {"englishAction", QStringLiteral("Tintora manual"), QStringLiteral("Tintora manual"),
         QStringLiteral("Руководство Tintora")},
        {"russianAction", QStringLiteral("Руководство Tintora"), QStringLiteral("Руководство Tintora"),
         QStringLiteral("Tintora manual")},
    };
    for (const ManualCase &c : cases) {
        SCOPED_TRACE(c.languageAction);
        child<QAction>(c.languageAction)->trigger();
        EXPECT_EQ(manual->windowTitle().toStdString(), c.title.toStdString());
        EXPECT_EQ(FirstHeading(browser).toStdString(), c.heading.toStdString());
        // The first link of the page is the other language's page: Tab to it, Enter.
        browser.setFocus();
        QTest::keyClick(&browser, Qt::Key_Tab);
        QTest::keyClick(&browser, Qt::Key_Return);
        EXPECT_EQ(FirstHeading(browser).toStdString(), c.otherHeading.toStdString());
        QTest::keyClick(&browser, Qt::Key_Left, Qt::AltModifier);
        EXPECT_EQ(FirstHeading(browser).toStdString(), c.heading.toStdString());
    }

    QTest::keyClick(&browser, Qt::Key_Escape);
    EXPECT_FALSE(manual->isVisible());
}

}  // namespace
}  // namespace tintora::test

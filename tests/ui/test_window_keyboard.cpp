// The main window worked from the keyboard alone: Tab and Shift+Tab reach every control in
// the order of the layout, and the controls that are not typed into answer Space or Enter.
#include "windowfixture.h"
#include "windowpicture.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <algorithm>

namespace tintora::test {
namespace {

class KeyboardTest : public WindowTest {
protected:
    // A key pressed where the focus is, as the window system delivers it.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    static QString focusName()
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    }
};

// Catches a control that Tab passes by or holds on to (the colour swatch above all), one
// reached out of the layout's order, Shift+Tab going another way, a swatch that Space or
// Enter do not open, and a contrast row that Enter does not go to.
TEST_F(KeyboardTest, TabReachesEveryControlInOrderAndTheKeysWorkThem)
{
    startShown();
    // Every control enabled and shown: a background to clear, and the contrast panel with
    // rows, the scheme all black so that no text reads.
    dialogs.pictureAnswers << WriteFieldPicture(folder.filePath(QStringLiteral("field.jpg")));
    child<QAction>("loadBackgroundAction")->trigger();
    waitForBackground();
    for (int element = 1; element <= 63; ++element)
        mainWindow->scheme().entry(element).colour = 0;
    child<QAction>("contrastAction")->trigger();
    auto *contrastRows = child<QListWidget>("contrastList");
    ASSERT_TRUE(QTest::qWaitFor([&] { return contrastRows->count() > 1; }));

    const QStringList order = {"schemeNameEdit",       "screenList",            "elementCombo",
                               "colourSwatch",         "colourHexEdit",         "transparencySlider",
                               "transparencySpin",     "openButton",            "saveButton",
                               "loadBackgroundButton", "clearBackgroundButton", "contrastBoundCombo",
                               "contrastList"};
    // Whatever takes Tab, is enabled and is shown is in the order.
    QStringList focusable;
    for (const QWidget *widget : mainWindow->findChildren<QWidget *>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
            widget->isVisibleTo(mainWindow.get()) && widget->focusProxy() == nullptr)
            focusable << widget->objectName();
    }
    focusable.sort();
    QStringList sorted = order;
    sorted.sort();
    EXPECT_EQ(focusable.join(u' ').toStdString(), sorted.join(u' ').toStdString());

    // Once round each way, back to where it started.
    const auto walk = [&](int key, Qt::KeyboardModifiers modifiers) {
        child<QWidget>("schemeNameEdit")->setFocus(Qt::TabFocusReason);
        QStringList reached;
        for (qsizetype step = 0; step <= order.size(); ++step) {
            reached << focusName();
            press(key, modifiers);
        }
        return reached.join(u' ').toStdString();
    };
    QStringList backward = order;
    std::reverse(backward.begin() + 1, backward.end());
    EXPECT_EQ(walk(Qt::Key_Tab, Qt::NoModifier), (order + order.mid(0, 1)).join(u' ').toStdString());
    EXPECT_EQ(walk(Qt::Key_Backtab, Qt::ShiftModifier),
              (backward + order.mid(0, 1)).join(u' ').toStdString());

    // The swatch, reached with Tab, opens the chooser on Space and on Enter.
    child<QWidget>("schemeNameEdit")->setFocus(Qt::TabFocusReason);
    for (qsizetype step = 0; step < order.size() && focusName() != QLatin1String("colourSwatch"); ++step)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusName().toStdString(), "colourSwatch");
    dialogs.colourAnswers.push_back(QColor(255, 0, 0));
    press(Qt::Key_Space);
    EXPECT_EQ(mainWindow->scheme().entry(1).colour, 0x0000FFu);
    press(Qt::Key_Return);
    EXPECT_EQ(dialogs.colourOpenedOn.size(), 2u);

    // Enter on a row of the contrast panel goes to its element, as a click does.
    contrastRows->setFocus(Qt::TabFocusReason);
    contrastRows->setCurrentRow(contrastRows->count() - 1);
    const int element = contrastRows->currentItem()->data(Qt::UserRole).toInt();
    ASSERT_NE(element, mainWindow->editing().selectedElement());
    press(Qt::Key_Return);
    EXPECT_EQ(mainWindow->editing().selectedElement(), element);
}

}  // namespace
}  // namespace tintora::test

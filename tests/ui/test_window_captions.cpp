// Every caption of the windows in both interface languages, read from the widgets after the
// language was applied, against the committed file captions.txt beside this one: a caption
// changed, recapitalised, given another Alt letter, lost or added shows as a line that
// differs. After a change meant to alter captions, run this test with TINTORA_UPDATE_GOLDENS=1
// to write the file anew, and read every changed line before committing it.
#include "windowfixture.h"

#include "phone/connectionstate.h"
#include "ui/statusbar.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace tintora::test {
namespace {

const char kHeader[] =
    "# Every caption of the main window, the settings dialog and the About box, one line each:\n"
    "# where it is shown, a tab, the Russian text, a tab, the English text. A place is the\n"
    "# object names from the window down (an unnamed object is its class and its number among\n"
    "# its like), then after ':' what of it: a menu's title, an item's or a control's text, a\n"
    "# group box's title, a list's row, a tooltip, the status bar's status text. Menu items\n"
    "# stand under the menus that show them, in their order; an '&' marks an Alt letter.\n"
    "# Texts are written as set, with \\t, \\r, \\n and \\\\ escaped.\n"
    "# Left out: the element list, whose rows are the element catalogue's names; the scheme's\n"
    "# name and colour in their fields; and the menu items' tooltips, which say why there is\n"
    "# no phone, which zoom does not fit or which screen draws nothing, as things stand.\n"
    "# The lines marked \"(phone mode)\" are the texts that differ in phone mode.\n";

const QString kElementList = QStringLiteral("elementCombo");

// Where a text is shown, and the text.
using Captions = QList<std::pair<QString, QString>>;

// An unnamed object is its class and its number among the unnamed of its class beside it.
QString NameOf(const QObject *object)
{
    if (!object->objectName().isEmpty())
        return object->objectName();
    const char *type = object->metaObject()->className();
    int number = 0;
    for (const QObject *sibling : object->parent()->children()) {
        if (sibling == object)
            break;
        number += sibling->objectName().isEmpty() &&
                  qstrcmp(sibling->metaObject()->className(), type) == 0;
    }
    return QStringLiteral("%1#%2").arg(QLatin1String(type)).arg(number);
}

class CaptionWalk {
public:
    Captions captions;

    void add(const QString &place, const char *what, const QString &text)
    {
        if (!text.isEmpty())
            captions.append({place + u':' + QLatin1String(what), text});
    }

    void menu(const QString &place, const QMenu *menu)
    {
        add(place, "title", menu->title());
        for (const QAction *action : menu->actions())
            item(place, action);
    }

    void item(const QString &place, const QAction *action)
    {
        if (action->isSeparator())
            return;
        if (const QMenu *submenu = action->menu())
            menu(place + u'/' + NameOf(submenu), submenu);
        else
            add(place + u'/' + NameOf(action), "text", action->text());
    }

    // The menu bar and the windows of their own are walked apart.
    void widget(const QString &place, const QWidget *widget)
    {
        if (widget->isWindow() || qobject_cast<const QDockWidget *>(widget))
            add(place, "windowTitle", widget->windowTitle());
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            add(place, "text", label->text());
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(place, "text", button->text());
        if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            add(place, "title", group->title());
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            add(place, "placeholderText", edit->placeholderText());
        if (const auto *list = qobject_cast<const QListWidget *>(widget)) {
            for (int row = 0; row < list->count(); ++row)
                add(place, qPrintable(QStringLiteral("row %1").arg(row)), list->item(row)->text());
        }
        if (const auto *combo = qobject_cast<const QComboBox *>(widget);
            combo && combo->objectName() != kElementList) {
            for (int row = 0; row < combo->count(); ++row)
                add(place, qPrintable(QStringLiteral("row %1").arg(row)), combo->itemText(row));
        }
        if (const auto *bar = qobject_cast<const StatusBar *>(widget))
            add(place, "status text", bar->panelText());
        add(place, "toolTip", widget->toolTip());
        for (const QObject *child : widget->children()) {
            const auto *inner = qobject_cast<const QWidget *>(child);
            // Qt's own parts speak Qt's words.
            if (!inner || inner->isWindow() || inner->objectName().startsWith(u"qt_") ||
                qobject_cast<const QMenuBar *>(inner) || qobject_cast<const QMenu *>(inner))
                continue;
            this->widget(place + u'/' + NameOf(inner), inner);
        }
    }
};

QString Escaped(QString text)
{
    return text.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\t', QStringLiteral("\\t"))
        .replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"));
}

class CaptionsTest : public WindowTest {
protected:
    // The main window and the About box as they are; the settings dialog as it opens.
    Captions shown(bool withSettingsDialog)
    {
        CaptionWalk walk;
        const QString window = NameOf(mainWindow.get());
        const QMenuBar *bar = mainWindow->menuBar();
        for (const QAction *action : bar->actions())
            walk.item(window + u'/' + NameOf(bar), action);
        walk.widget(window, mainWindow.get());
        walk.widget(NameOf(aboutDialog.get()), aboutDialog.get());
        if (withSettingsDialog) {
            bool wasOpen = false;
            QTimer::singleShot(0, settingsDialog.get(), [&] {
                wasOpen = settingsDialog->isVisible();
                walk.widget(NameOf(settingsDialog.get()), settingsDialog.get());
                settingsDialog->reject();
            });
            child<QAction>("previewSettingsAction")->trigger();
            EXPECT_TRUE(wasOpen);
        }
        return walk.captions;
    }

    // Both languages, chosen as the user chooses them: where, and the tab-separated texts.
    Captions lines(bool withSettingsDialog)
    {
        child<QAction>("russianAction")->trigger();
        const Captions russian = shown(withSettingsDialog);
        child<QAction>("englishAction")->trigger();
        const Captions english = shown(withSettingsDialog);
        Captions lines;
        EXPECT_EQ(russian.size(), english.size());
        for (qsizetype i = 0; i < std::min(russian.size(), english.size()); ++i) {
            EXPECT_EQ(russian[i].first, english[i].first);
            lines.append({russian[i].first,
                          u'\t' + Escaped(russian[i].second) + u'\t' + Escaped(english[i].second)});
        }
        return lines;
    }
};

TEST_F(CaptionsTest, EveryCaptionInBothLanguagesIsAsCommitted)
{
    start();
    const Captions computer = lines(true);
    // The settings dialog does not follow the work mode; the main window is only read,
    // so no status poll can end phone mode under the test.
    mainWindow->phoneCommands().connection().workMode = WorkMode::Phone;
    const Captions phone = lines(false);
    QStringList all;
    for (const auto &[place, texts] : computer)
        all << place + texts;
    for (const auto &[place, texts] : phone) {
        if (!computer.contains(std::pair(place, texts)))
            all << place + QStringLiteral(" (phone mode)") + texts;
    }
    const QString actual = QString::fromUtf8(kHeader) + all.join(u'\n') + u'\n';

    QFile golden(QStringLiteral(TINTORA_CAPTIONS_FILE));
    if (!qEnvironmentVariableIsEmpty("TINTORA_UPDATE_GOLDENS")) {
        ASSERT_TRUE(golden.open(QIODevice::WriteOnly)) << TINTORA_CAPTIONS_FILE;
        golden.write(actual.toUtf8());
        GTEST_SKIP() << "wrote " << TINTORA_CAPTIONS_FILE;
    }
    ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << TINTORA_CAPTIONS_FILE;
    const QString expected = QString::fromUtf8(golden.readAll());
    // The lines that differ, so a failure says where.
    const QStringList expectedLines = expected.split(u'\n');
    const QStringList actualLines = actual.split(u'\n');
    const QSet<QString> expectedSet(expectedLines.begin(), expectedLines.end());
    const QSet<QString> actualSet(actualLines.begin(), actualLines.end());
    for (const QString &line : expectedLines)
        EXPECT_TRUE(actualSet.contains(line)) << "not shown: " << line.toStdString();
    for (const QString &line : actualLines)
        EXPECT_TRUE(expectedSet.contains(line)) << "not committed: " << line.toStdString();
    EXPECT_TRUE(actual == expected) << "the lines stand in another order";
}

}  // namespace
}  // namespace tintora::test

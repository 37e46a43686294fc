#pragma once

#include "windowfakephone.h"
#include "windowscripteddialogs.h"

#include "preview/clock.h"
#include "scheme/colourscheme.h"
#include "settings/profilefile.h"
#include "ui/aboutdialog.h"
#include "ui/designcommands.h"
#include "ui/editingpanel.h"
#include "ui/filecommands.h"
#include "ui/mainwindow.h"
#include "ui/phonecommands.h"
#include "ui/previewpanel.h"
#include "ui/previewsettingsdialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace tintora::test {

// A main window started as the program starts it, with its settings file and font in a
// folder of its own, no phone, scripted dialogs and a fixed clock: 15 April 2024, a month
// of 30 days.
class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    FakePhone phone;
    PhoneLibrary *phoneInUse = &phone;  // a test may drive a phone of its own
    FixedClock clock{QDateTime(QDate(2024, 4, 15), QTime(10, 9))};
    // Room for the window at every zoom, unless a test gives a screen of its own.
    QRect screenArea{0, 0, 3000, 3000};
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<AboutDialog> aboutDialog;
    std::unique_ptr<PreviewSettingsDialog> settingsDialog;

    QString iniPath() const { return folder.filePath(QStringLiteral("tintora.ini")); }
    QString fontPath() const { return folder.filePath(QStringLiteral("1stSortie.ttf")); }

    void writeIni(const QByteArray &content) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString readIni(const char *section, const char *key) const
    {
        return ProfileFile(iniPath()).readString(QString::fromLatin1(section),
                                                 QString::fromLatin1(key),
                                                 QStringLiteral("<missing>"));
    }

    // A scheme file in the folder: the default scheme with a name, changed by edit.
    template <typename Edit>
    QString writeScheme(const char *fileName, const QByteArray &name, Edit edit) const
    {
        ColourScheme scheme;
        BuildDefaultScheme(scheme);
        scheme.name = name;
        edit(scheme);
        const SchemeImage image = EncodeScheme(scheme);
        const QString path = folder.filePath(QString::fromLatin1(fileName));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char *>(image.data()), image.size());
        return path;
    }

    void start(const QStringList &arguments = {})
    {
        MainWindowEnvironment environment;
        environment.dialogs = &dialogs;
        environment.clock = &clock;
        environment.phone = phoneInUse;
        environment.settingsPath = iniPath();
        environment.arguments = arguments;
        environment.fontFilePath = fontPath();
        environment.screenArea = screenArea;
        mainWindow = std::make_unique<MainWindow>(environment);
        aboutDialog = std::make_unique<AboutDialog>(dialogs, mainWindow.get());
        mainWindow->setAboutDialog(aboutDialog.get());
        settingsDialog = std::make_unique<PreviewSettingsDialog>(clock, mainWindow.get());
        mainWindow->setSettingsDialog(settingsDialog.get());
    }

    // Started and shown as the active window, for what only a shown window does: keys through
    // the window system's shortcuts, focus, tooltips, the status bar's widgets.
    void startShown(const QStringList &arguments = {})
    {
        start(arguments);
        mainWindow->show();
        QApplication::setActiveWindow(mainWindow.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow.get()));
    }

    // The dialogs go first: the window owns them as its children.
    void stop()
    {
        settingsDialog.reset();
        aboutDialog.reset();
        mainWindow.reset();
    }

    void TearDown() override { stop(); }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = mainWindow->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The title as the window system shows it: "[*]" becomes "*" while there are unsaved
    // changes and disappears otherwise.
    QString shownTitle() const
    {
        mainWindow->winId();
        return mainWindow->windowHandle()->title();
    }

    // A background picture is read away from the window: events are served until it came.
    void waitForBackground() const
    {
        QElapsedTimer waited;
        waited.start();
        while (mainWindow->previewPanel().readingBackground() && waited.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_FALSE(mainWindow->previewPanel().readingBackground());
    }

    // New from picture's choice, once it shows at least count suggestions (or has made all
    // it will).
    QListWidget *suggestionTiles(int count) const
    {
        QElapsedTimer waited;
        waited.start();
        QListWidget *list = nullptr;
        while (waited.elapsed() < 60000) {
            list = mainWindow->findChild<QListWidget *>(QStringLiteral("suggestionList"));
            if (list && list->count() >= count)
                break;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_TRUE(list && list->count() >= count);
        return list;
    }
    // A click on the suggestion in that place of the choice.
    void chooseSuggestion(int row) const
    {
        QListWidget *list = suggestionTiles(row + 1);
        ASSERT_TRUE(list && list->count() > row);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }

    QImage shownPreview() const { return child<QLabel>("previewDisplay")->pixmap().toImage(); }
    QRgb swatchFill() const { return child<QLabel>("colourSwatch")->pixmap().toImage().pixel(20, 8); }
};

// A menu caption as it is shown: '&' only marks the Alt letter, "&&" shows one '&'.
inline QString Shown(const QString &caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// The 0x00BBGGRR value of a pixel.
inline Colour ColourOf(QRgb pixel)
{
    return Colour(qRed(pixel)) | Colour(qGreen(pixel)) << 8 | Colour(qBlue(pixel)) << 16;
}

}  // namespace tintora::test

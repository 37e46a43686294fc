// File commands: New, Open, Save, Save As, recent files, dropped files, the unsaved-changes question.
#include "mainwindow.h"

#include "applicationtitle.h"
#include "droppedfile.h"
#include "languagetables.h"
#include "settings/profilefile.h"
#include "settings/recentfiles.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"

#include "phone/opencommand.h"
#include "phone/savecommand.h"
#include "preview/preview.h"
#include "scheme/catalogue.h"
#include "scheme/codepage.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

namespace tintora {

void MainWindow::setUpFileCommands()
{
    connect(ui->openButton, &QPushButton::clicked, this, &MainWindow::openScheme);
    connect(ui->openAction, &QAction::triggered, this, &MainWindow::openScheme);
    connect(ui->saveButton, &QPushButton::clicked, this, &MainWindow::saveScheme);
    connect(ui->saveAction, &QAction::triggered, this, &MainWindow::saveScheme);
    connect(ui->exitAction, &QAction::triggered, this, &MainWindow::quit);
    connect(ui->newAction, &QAction::triggered, this, &MainWindow::newScheme);
    connect(ui->saveAsAction, &QAction::triggered, this, &MainWindow::saveSchemeAs);
    connect(ui->recentFilesMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);

    ui->newAction->setShortcuts(QKeySequence::New);
    ui->openAction->setShortcuts(QKeySequence::Open);
    ui->saveAction->setShortcuts(QKeySequence::Save);
    ui->saveAsAction->setShortcuts(QKeySequence::SaveAs);
    // Where the platform names none (Windows), the key most programs there use.
    if (ui->saveAsAction->shortcuts().isEmpty())
        ui->saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui->exitAction->setShortcuts(QKeySequence::Quit);

    connect(&document_, &SchemeDocument::modifiedChanged, this, &MainWindow::setWindowModified);
    setAcceptDrops(true);
}

void MainWindow::newScheme()
{
    cancelPendingSuggestion();
    if (!mayDiscardChanges())
        return;
    scheme_ = ColourScheme{};
    BuildDefaultScheme(scheme_);
    document_.filePath.clear();
    selectFirstScreen();
    setCaption(QString::fromLatin1(kApplicationTitle));
    showSelectedElement();
    repaintPreview(0);
    schemeLoaded(false);
}

void MainWindow::openScheme()
{
    cancelPendingSuggestion();
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath));
    if (!result.resetView)
        return;
    ui->statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(connection_.workMode == WorkMode::Computer);
}

// The view goes back to the first screen whatever the load did.
void MainWindow::resetViewAfterLoad()
{
    selectFirstScreen();
    setCaption(SchemeCaption(FromCp1251(scheme_.name)));
    showSelectedElement();
    repaintPreview(0);
}

bool MainWindow::saveScheme()
{
    CommandContext context = commandContext();
    const SaveResult result = SaveCommand(context, connection_.workMode, document_.filePath,
                                          SchemePhonePath(settings_.SpColorPath),
                                          ui->saveButton->text());
    if (result.saved)
        ui->statusBar->clearMessage();
    if (result.showName)
        showSavedName();
    if (result.saved) {
        document_.markSaved();
        if (connection_.workMode == WorkMode::Computer)
            rememberRecentFile(document_.filePath);
    }
    showFilePath();
    return result.saved;
}

void MainWindow::showSavedName()
{
    const QString name = FromCp1251(scheme_.name);
    ui->schemeNameEdit->setText(name);
    setCaption(SchemeCaption(name));
}

// Always to a computer file, which becomes the current one, in phone mode too. The dialog
// starts on the current file, in its folder.
void MainWindow::saveSchemeAs()
{
    CommandContext context = commandContext();
    QString path;
    const SaveResult result =
        document_.filePath.isEmpty()
            ? SaveToComputer(context, path, ui->saveAsAction->iconText())
            : SaveToComputer(context, path, ui->saveAsAction->iconText(), document_.filePath);
    if (!result.saved)
        return;
    ui->statusBar->clearMessage();
    document_.filePath = path;
    showSavedName();
    document_.markSaved();
    rememberRecentFile(path);
    showFilePath();
}

// A new scheme is in the editor: its history starts here.
void MainWindow::schemeLoaded(bool fromComputer)
{
    document_.startFresh();
    forgetSuggestion();
    if (fromComputer)
        rememberRecentFile(document_.filePath);
    showFilePath();
}

void MainWindow::openSchemeFile(const QString &path)
{
    cancelPendingSuggestion();
    if (!mayDiscardChanges())
        return;
    CommandContext context = commandContext();
    const OpenResult result = OpenSchemeFile(context, path, document_.filePath);
    ui->statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        schemeLoaded(true);
}

void MainWindow::openRecentFile(const QString &path)
{
    if (QFileInfo::exists(path)) {
        openSchemeFile(path);
        return;
    }
    dialogs().inform(MissingRecentFileText(QDir::toNativeSeparators(path)));
    ProfileFile profile(environment_.settingsPath);
    RecentFiles recent = RecentFiles::Read(profile);
    recent.remove(path);
    if (!recent.write(profile))
        reportUnwritable(profile);
    fillRecentMenu();
}

void MainWindow::rememberRecentFile(const QString &path)
{
    ProfileFile profile(environment_.settingsPath);
    RecentFiles recent = RecentFiles::Read(profile);
    recent.add(path);
    if (!recent.write(profile))
        reportUnwritable(profile);
    fillRecentMenu();
}

// Read afresh each time, like every other setting.
void MainWindow::fillRecentMenu()
{
    QMenu *menu = ui->recentFilesMenu;
    menu->clear();
    const QStringList paths = RecentFiles::Read(ProfileFile(environment_.settingsPath)).paths();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        const QString path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->menuAction()->setEnabled(!paths.isEmpty());
}

void MainWindow::showFilePath()
{
    setWindowFilePath(document_.filePath);
    ui->statusBar->setFilePath(QDir::toNativeSeparators(document_.filePath));
}

bool MainWindow::mayDiscardChanges()
{
    return document_.mayDiscard(dialogs(), [this] { return saveScheme(); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayDiscardChanges()) {
        // A picture still being read is of no more use.
        backgroundLoader_.cancel();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::quit()
{
    close();
}

bool MainWindow::takesDrop(const QDropEvent *event) const
{
    const DroppedFile file = DroppedFile::From(event->mimeData());
    if (file.kind == DroppedFile::Picture) {
        const QPoint onPreview = ui->previewDisplay->mapFrom(this, event->position().toPoint());
        return ui->previewDisplay->rect().contains(onPreview);
    }
    return file.kind == DroppedFile::Scheme;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // A picture may still be carried onto the preview.
    if (DroppedFile::From(event->mimeData()).kind != DroppedFile::None)
        event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    if (takesDrop(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (!takesDrop(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // After the drop has ended: the question and the messages must not hold up the program
    // the file came from.
    const DroppedFile file = DroppedFile::From(event->mimeData());
    QTimer::singleShot(0, this, [this, file] {
        if (file.kind == DroppedFile::Scheme)
            openSchemeFile(file.path);
        else
            loadBackgroundPicture(file.path);
    });
}

}  // namespace tintora

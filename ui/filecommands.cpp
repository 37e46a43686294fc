// File commands: New, Open, Save, Save As, recent files, the unsaved-changes question.
#include "filecommands.h"

#include "applicationtitle.h"
#include "editingpanel.h"
#include "languagetables.h"
#include "phonecommands.h"
#include "previewpanel.h"
#include "schemedocument.h"
#include "statusbar.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "windowsettings.h"

#include "phone/opencommand.h"
#include "phone/savecommand.h"
#include "scheme/catalogue.h"
#include "scheme/codepage.h"
#include "settings/recentfiles.h"

#include <QDir>
#include <QFileInfo>

namespace tintora {

FileCommands::FileCommands(Ui::MainWindow &ui, SchemeDocument &document, EditingPanel &editing,
                           PreviewPanel &preview, PhoneCommands &phone, WindowSettings &settings,
                           WindowDialogs &dialogs)
    : ui_(ui),
      document_(document),
      scheme_(document.scheme),
      editing_(editing),
      preview_(preview),
      phone_(phone),
      settings_(settings),
      dialogs_(dialogs)
{
    connect(ui_.openButton, &QPushButton::clicked, this, &FileCommands::openScheme);
    connect(ui_.openAction, &QAction::triggered, this, &FileCommands::openScheme);
    connect(ui_.saveButton, &QPushButton::clicked, this, &FileCommands::saveScheme);
    connect(ui_.saveAction, &QAction::triggered, this, &FileCommands::saveScheme);
    connect(ui_.newAction, &QAction::triggered, this, &FileCommands::newScheme);
    connect(ui_.saveAsAction, &QAction::triggered, this, &FileCommands::saveSchemeAs);
    connect(ui_.recentFilesMenu, &QMenu::aboutToShow, this, &FileCommands::fillRecentMenu);

    ui_.newAction->setShortcuts(QKeySequence::New);
    ui_.openAction->setShortcuts(QKeySequence::Open);
    ui_.saveAction->setShortcuts(QKeySequence::Save);
    ui_.saveAsAction->setShortcuts(QKeySequence::SaveAs);
    // Where the platform names none (Windows), the key most programs there use.
    if (ui_.saveAsAction->shortcuts().isEmpty())
        ui_.saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ui_.exitAction->setShortcuts(QKeySequence::Quit);
}

void FileCommands::newScheme()
{
    emit replacingScheme();
    if (!mayDiscardChanges())
        return;
    scheme_ = ColourScheme{};
    BuildDefaultScheme(scheme_);
    document_.filePath.clear();
    editing_.selectFirstScreen();
    emit captionChanged(QString::fromLatin1(kApplicationTitle));
    editing_.showSelectedElement();
    preview_.repaint(0);
    startFresh(false);
}

void FileCommands::openScheme()
{
    emit replacingScheme();
    if (!mayDiscardChanges())
        return;
    CommandContext context = phone_.commandContext();
    const OpenResult result = OpenCommand(context, phone_.workMode(), document_.filePath,
                                          SchemePhonePath(settings_.values().SpColorPath));
    if (!result.resetView)
        return;
    ui_.statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        startFresh(phone_.workMode() == WorkMode::Computer);
}

// The view goes back to the first screen whatever the load did.
void FileCommands::resetViewAfterLoad()
{
    editing_.selectFirstScreen();
    emit captionChanged(SchemeCaption(FromCp1251(scheme_.name)));
    editing_.showSelectedElement();
    preview_.repaint(0);
}

bool FileCommands::saveScheme()
{
    CommandContext context = phone_.commandContext();
    const SaveResult result = SaveCommand(context, phone_.workMode(), document_.filePath,
                                          SchemePhonePath(settings_.values().SpColorPath),
                                          ui_.saveButton->text());
    if (result.saved)
        ui_.statusBar->clearMessage();
    if (result.showName)
        showSavedName();
    if (result.saved) {
        document_.markSaved();
        if (phone_.workMode() == WorkMode::Computer)
            rememberRecentFile(document_.filePath);
    }
    showFilePath();
    return result.saved;
}

void FileCommands::showSavedName()
{
    const QString name = FromCp1251(scheme_.name);
    ui_.schemeNameEdit->setText(name);
    emit captionChanged(SchemeCaption(name));
}

// Always to a computer file, which becomes the current one, in phone mode too. The dialog
// starts on the current file, in its folder.
void FileCommands::saveSchemeAs()
{
    CommandContext context = phone_.commandContext();
    QString path;
    const SaveResult result =
        document_.filePath.isEmpty()
            ? SaveToComputer(context, path, ui_.saveAsAction->iconText())
            : SaveToComputer(context, path, ui_.saveAsAction->iconText(), document_.filePath);
    if (!result.saved)
        return;
    ui_.statusBar->clearMessage();
    document_.filePath = path;
    showSavedName();
    document_.markSaved();
    rememberRecentFile(path);
    showFilePath();
}

// A new scheme is in the editor: its history starts here.
void FileCommands::startFresh(bool fromComputer)
{
    document_.startFresh();
    emit schemeLoaded();
    if (fromComputer)
        rememberRecentFile(document_.filePath);
    showFilePath();
}

void FileCommands::openSchemeFile(const QString &path)
{
    emit replacingScheme();
    if (!mayDiscardChanges())
        return;
    CommandContext context = phone_.commandContext();
    const OpenResult result = OpenSchemeFile(context, path, document_.filePath);
    ui_.statusBar->showMessage(result.note);
    resetViewAfterLoad();
    if (result.loaded)
        startFresh(true);
}

void FileCommands::openRecentFile(const QString &path)
{
    if (QFileInfo::exists(path)) {
        openSchemeFile(path);
        return;
    }
    dialogs_.inform(MissingRecentFileText(QDir::toNativeSeparators(path)));
    RecentFiles recent = RecentFiles::Read(settings_.file());
    recent.remove(path);
    if (!recent.write(settings_.file()))
        settings_.reportUnwritable();
    fillRecentMenu();
}

void FileCommands::rememberRecentFile(const QString &path)
{
    RecentFiles recent = RecentFiles::Read(settings_.file());
    recent.add(path);
    if (!recent.write(settings_.file()))
        settings_.reportUnwritable();
    fillRecentMenu();
}

// Read afresh each time, like every other setting.
void FileCommands::fillRecentMenu()
{
    QMenu *menu = ui_.recentFilesMenu;
    menu->clear();
    const QStringList paths = RecentFiles::Read(settings_.file()).paths();
    for (int i = 0; i < paths.size(); ++i) {
        QString shown = QDir::toNativeSeparators(paths[i]);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        const QString path = paths[i];
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    menu->menuAction()->setEnabled(!paths.isEmpty());
}

void FileCommands::showFilePath()
{
    emit filePathChanged(document_.filePath);
    ui_.statusBar->setFilePath(QDir::toNativeSeparators(document_.filePath));
}

bool FileCommands::mayDiscardChanges()
{
    return document_.mayDiscard(dialogs_, [this] { return saveScheme(); });
}

}  // namespace tintora

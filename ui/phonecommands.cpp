// Phone commands: connect and disconnect, activate the scheme file, the once-a-second status poll.
#include "mainwindow.h"

#include "ui_mainwindow.h"
#include "wording.h"

#include "phone/activation.h"
#include "phone/linkreason.h"

namespace tintora {

void MainWindow::setUpPhoneCommands()
{
    connect(ui->activateAction, &QAction::triggered, this, &MainWindow::activateScheme);
    connect(ui->connectAction, &QAction::triggered, this, &MainWindow::toggleConnection);
    connect(&phonePoll_, &QTimer::timeout, this, &MainWindow::pollPhone);
    phonePoll_.setInterval(1000);
}

void MainWindow::pollPhone()
{
    const bool gone = connection_.poll(phone());
    ui->connectAction->setEnabled(connection_.connectEnabled);
    if (gone) {
        // Captions and the status icon go back to the computer's.
        applyLanguage();
        ui->statusBar->showMessage(PhoneGoneText(phone().linkState()));
    }
    showWhyNoPhone();
}

// While Connect is disabled its tooltip says why, and so does the status bar
// when the reason changes and no note of the file is showing there.
void MainWindow::showWhyNoPhone()
{
    const QString reason =
        connection_.connectEnabled ? QString() : NoPhoneReason(phone().linkState());
    ui->connectAction->setToolTip(reason);
    const bool noteShowing = !ui->statusBar->currentMessage().isEmpty() &&
                             ui->statusBar->currentMessage() != noPhoneReason_;
    if (reason != noPhoneReason_ && !noteShowing)
        ui->statusBar->showMessage(reason);
    noPhoneReason_ = reason;
}

void MainWindow::toggleConnection()
{
    connection_.toggle(phone());
    applyLanguage();
}

CommandContext MainWindow::commandContext()
{
    return CommandContext{phone(), scheme_, dialogs(), language_};
}

void MainWindow::activateScheme()
{
    CommandContext context = commandContext();
    ActivateCommand(context, connection_.workMode);
}

}  // namespace tintora

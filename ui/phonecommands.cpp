// Phone commands: connect and disconnect, activate the scheme file, the once-a-second status poll.
#include "phonecommands.h"

#include "statusbar.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "wording.h"

#include "phone/activation.h"
#include "phone/linkreason.h"
#include "phone/phonelibrary.h"

namespace tintora {

PhoneCommands::PhoneCommands(Ui::MainWindow &ui, PhoneLibrary &phone, ColourScheme &scheme,
                             WindowDialogs &dialogs, const Language &language)
    : ui_(ui), phone_(phone), scheme_(scheme), dialogs_(dialogs), language_(language)
{
    connect(ui_.activateAction, &QAction::triggered, this, &PhoneCommands::activateScheme);
    connect(ui_.connectAction, &QAction::triggered, this, &PhoneCommands::toggleConnection);
    connect(&phonePoll_, &QTimer::timeout, this, &PhoneCommands::pollPhone);
    phonePoll_.setInterval(1000);
}

void PhoneCommands::startPolling()
{
    phonePoll_.start();
}

void PhoneCommands::pollPhone()
{
    const bool gone = connection_.poll(phone_);
    ui_.connectAction->setEnabled(connection_.connectEnabled);
    if (gone) {
        // Captions and the status icon go back to the computer's.
        emit workModeChanged();
        ui_.statusBar->showMessage(PhoneGoneText(phone_.linkState()));
    }
    showWhyNoPhone();
}

// While Connect is disabled its tooltip says why, and so does the status bar
// when the reason changes and no note of the file is showing there.
void PhoneCommands::showWhyNoPhone()
{
    const QString reason =
        connection_.connectEnabled ? QString() : NoPhoneReason(phone_.linkState());
    ui_.connectAction->setToolTip(reason);
    const bool noteShowing = !ui_.statusBar->currentMessage().isEmpty() &&
                             ui_.statusBar->currentMessage() != noPhoneReason_;
    if (reason != noPhoneReason_ && !noteShowing)
        ui_.statusBar->showMessage(reason);
    noPhoneReason_ = reason;
}

void PhoneCommands::toggleConnection()
{
    connection_.toggle(phone_);
    emit workModeChanged();
}

CommandContext PhoneCommands::commandContext()
{
    return CommandContext{phone_, scheme_, dialogs_, language_};
}

void PhoneCommands::activateScheme()
{
    CommandContext context = commandContext();
    ActivateCommand(context, connection_.workMode);
}

}  // namespace tintora

// Phone commands: connect and disconnect, activate the scheme file, the once-a-second status poll.
#include "phonecommands.h"

#include "statusbar.h"
#include "ui_mainwindow.h"
#include "windowdialogs.h"
#include "wording.h"

#include "phone/activation.h"
#include "phone/linkreason.h"
#include "phone/phonelibrary.h"

#include <QStyle>
#include <QToolButton>

namespace tintora {

PhoneCommands::PhoneCommands(Ui::MainWindow &ui, PhoneLibrary &phone, ColourScheme &scheme,
                             WindowDialogs &dialogs)
    : ui_(ui), phone_(phone), scheme_(scheme), dialogs_(dialogs)
{
    connect(ui_.activateAction, &QAction::triggered, this, &PhoneCommands::activateScheme);
    connect(ui_.connectAction, &QAction::triggered, this, &PhoneCommands::toggleConnection);
    connect(&phonePoll_, &QTimer::timeout, this, &PhoneCommands::pollPhone);
    phonePoll_.setInterval(1000);

    // A widget of its own, so neither a note nor a menu's status tip hides the state.
    stateButton_ = new QToolButton(ui_.statusBar);
    stateButton_->setObjectName(QStringLiteral("phoneStateButton"));
    stateButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    stateButton_->setAutoRaise(true);
    stateButton_->setFocusPolicy(Qt::NoFocus);
    ui_.statusBar->addPanel(stateButton_);
    connect(stateButton_, &QToolButton::clicked, this, &PhoneCommands::explainPhoneState);
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

// While Connect is disabled its tooltip and status tip say why, and so does the status bar
// when the reason changes and no note of the file is showing there.
void PhoneCommands::showWhyNoPhone()
{
    const QString reason =
        connection_.connectEnabled ? QString() : NoPhoneReason(phone_.linkState());
    ui_.connectAction->setToolTip(reason);
    ui_.connectAction->setStatusTip(reason);
    showPhoneState();
    const bool noteShowing = !ui_.statusBar->currentMessage().isEmpty() &&
                             ui_.statusBar->currentMessage() != noPhoneReason_;
    if (reason != noPhoneReason_ && !noteShowing)
        ui_.statusBar->showMessage(reason);
    noPhoneReason_ = reason;
}

void PhoneCommands::showPhoneState()
{
    const int linkState = phone_.linkState();
    const PhoneStateTexts state = PhoneState(linkState, connection_.workMode == WorkMode::Phone);
    stateButton_->setText(state.word);
    stateButton_->setToolTip(state.tooltip);
    const QStyle::StandardPixmap icon = linkState == 1                    ? QStyle::SP_DialogApplyButton
                                        : linkState == 2 || linkState == 3 ? QStyle::SP_BrowserReload
                                                                           : QStyle::SP_MessageBoxWarning;
    stateButton_->setIcon(stateButton_->style()->standardIcon(icon));
}

void PhoneCommands::explainPhoneState()
{
    dialogs_.inform(PhoneState(phone_.linkState(), connection_.workMode == WorkMode::Phone).advice);
}

void PhoneCommands::toggleConnection()
{
    connection_.toggle(phone_);
    emit workModeChanged();
}

CommandContext PhoneCommands::commandContext()
{
    return CommandContext{phone_, scheme_, dialogs_, words_};
}

void PhoneCommands::activateScheme()
{
    CommandContext context = commandContext();
    ActivateCommand(context, connection_.workMode);
}

}  // namespace tintora

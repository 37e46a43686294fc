// Phone commands: connect and disconnect, activate the scheme file, the once-a-second status poll.
#pragma once

#include "wording.h"

#include "phone/commandcontext.h"
#include "phone/connectionstate.h"

#include <QObject>
#include <QString>
#include <QTimer>

class QToolButton;

namespace Ui {
class MainWindow;
}

namespace tintora {

class PhoneLibrary;
class WindowDialogs;

class PhoneCommands : public QObject {
    Q_OBJECT
public:
    PhoneCommands(Ui::MainWindow &ui, PhoneLibrary &phone, ColourScheme &scheme,
                  WindowDialogs &dialogs);

    // Only once start-up is done: a box that start-up shows runs the event loop, and the
    // poll must not ask the library before P2K_Init.
    void startPolling();
    // The work mode (WorkMode::Computer, WorkMode::Phone) and the connect command's state.
    ConnectionState &connection() { return connection_; }
    WorkMode workMode() const { return connection_.workMode; }
    // The phone's state in the status bar, in the installed language.
    void showPhoneState();
    QToolButton *phoneStateButton() const { return stateButton_; }
    // Its words are the interface's, in the language of the moment.
    CommandContext commandContext();

public slots:
    void pollPhone();
    void toggleConnection();
    void activateScheme();
    // The box of the phone's state: the reason and what to do.
    void explainPhoneState();

signals:
    // The captions and the status icon follow the work mode.
    void workModeChanged();

private:
    void showWhyNoPhone();

    Ui::MainWindow &ui_;
    PhoneLibrary &phone_;
    ColourScheme &scheme_;
    WindowDialogs &dialogs_;
    InterfaceCommandWords words_;
    QTimer phonePoll_;
    QString noPhoneReason_;  // shown while Connect is disabled
    QToolButton *stateButton_ = nullptr;
    ConnectionState connection_;
};

}  // namespace tintora

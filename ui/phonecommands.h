// Phone commands: connect and disconnect, activate the scheme file, the once-a-second status poll.
#pragma once

#include "phone/commandcontext.h"
#include "phone/connectionstate.h"

#include <QObject>
#include <QString>
#include <QTimer>

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
                  WindowDialogs &dialogs, const Language &language);

    // Only once start-up is done: a box that start-up shows runs the event loop, and the
    // poll must not ask the library before P2K_Init.
    void startPolling();
    // The work mode (WorkMode::Computer, WorkMode::Phone) and the connect command's state.
    ConnectionState &connection() { return connection_; }
    WorkMode workMode() const { return connection_.workMode; }
    // Made afresh for each command, in the language of the moment.
    CommandContext commandContext();

public slots:
    void pollPhone();
    void toggleConnection();
    void activateScheme();

signals:
    // The captions and the status icon follow the work mode.
    void workModeChanged();

private:
    void showWhyNoPhone();

    Ui::MainWindow &ui_;
    PhoneLibrary &phone_;
    ColourScheme &scheme_;
    WindowDialogs &dialogs_;
    const Language &language_;
    QTimer phonePoll_;
    QString noPhoneReason_;  // shown while Connect is disabled
    ConnectionState connection_;
};

}  // namespace tintora

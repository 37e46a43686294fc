#include "phonelink.h"

#include "failure.h"

#include <QTextStream>
#include <QThread>

#include <chrono>
#include <vector>

namespace tintora::cli {
namespace {

QString LinkState(LoadedPhoneLibrary &phone)
{
    const auto state = reinterpret_cast<P2K_LinkStateFn>(phone.resolve("P2K_LinkState"));
    if (!state)
        return QStringLiteral("no phone yet");
    char text[512] = {};
    state(text, sizeof text);
    return QString::fromUtf8(text);
}

}  // namespace

bool WaitForPhone(LoadedPhoneLibrary &phone, int seconds)
{
    if (phone.P2K_GetStatus() == 1)
        return true;
    QTextStream err(stderr);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    QString said;
    for (;;) {
        const QString state = LinkState(phone);
        if (state != said && seconds > 0) {
            err << "tintora-cli: waiting up to " << seconds
                << " s for the phone in command mode: " << state << '\n';
            err.flush();
            said = state;
        }
        if (std::chrono::steady_clock::now() >= end)
            break;
        QThread::msleep(200);
        if (phone.P2K_GetStatus() == 1)
            return true;
    }
    Fail(QStringLiteral("no phone in command mode after %1 s (%2); \"tintora-cli phone probe\" "
                        "tells more")
             .arg(seconds)
             .arg(LinkState(phone)));
    return false;
}

int ProbePhones(LoadedPhoneLibrary &phone)
{
    const auto probe = reinterpret_cast<P2K_ProbeFn>(phone.resolve("P2K_Probe"));
    if (!probe)
        return Fail(phone.description() + " cannot probe: it is not the USB phone library");
    std::vector<char> text(1 << 16);
    const int answered = probe(text.data(), static_cast<int>(text.size()));
    QTextStream(stdout) << QString::fromUtf8(text.data());
    return answered == 1 ? 0 : 1;
}

}  // namespace tintora::cli

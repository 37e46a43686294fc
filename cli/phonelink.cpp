#include "phonelink.h"

#include "failure.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>

#include <chrono>
#include <vector>

namespace tintora::cli {
namespace {

constexpr int kSwitching = 2;
constexpr int kSwitchFailed = 7;

QString LinkState(LoadedPhoneLibrary &phone, int *code = nullptr)
{
    const auto state = reinterpret_cast<P2K_LinkStateFn>(phone.resolve("P2K_LinkState"));
    if (!state)
        return QStringLiteral("no phone yet");
    char text[512] = {};
    const int value = state(text, sizeof text);
    if (code)
        *code = value;
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
        int code = -1;
        const QString state = LinkState(phone, &code);
        // A modem that refused the switch will not come in command mode by waiting.
        if (code == kSwitchFailed) {
            Fail(QStringLiteral("no phone in command mode (%1)").arg(state));
            return false;
        }
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

void WaitForSwitch(LoadedPhoneLibrary &phone, int seconds)
{
    const auto state = reinterpret_cast<P2K_LinkStateFn>(phone.resolve("P2K_LinkState"));
    if (!state)
        return;
    QTextStream err(stderr);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool said = false;
    for (char text[512] = {}; state(text, sizeof text) == kSwitching;) {
        if (std::chrono::steady_clock::now() >= end)
            return;
        if (!said) {
            err << "tintora-cli: waiting up to " << seconds
                << " s for the phone to switch to command mode: " << QString::fromUtf8(text)
                << '\n';
            err.flush();
            said = true;
        }
        QThread::msleep(200);
    }
}

int RestoreSeem(PhoneLibrary &phone, const QString &file, bool restart)
{
    static const QRegularExpression kName(QStringLiteral("^([0-9A-Fa-f]{4})_([0-9A-Fa-f]{4})"));
    const QRegularExpressionMatch name = kName.match(QFileInfo(file).fileName());
    if (!name.hasMatch())
        return Fail(file + ": the name does not start with SSSS_RRRR, the seem and record in hex");
    const int seem = name.captured(1).toInt(nullptr, 16);
    const int record = name.captured(2).toInt(nullptr, 16);
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return Fail("cannot open " + file);
    QByteArray bytes = in.readAll();
    const QString what = QStringLiteral("seem %1 record %2").arg(name.captured(1), name.captured(2));
    const int size = static_cast<int>(bytes.size());
    auto *data = reinterpret_cast<std::uint8_t *>(bytes.data());
    // The record must end where the file ends: its last byte reads, the next does not.
    std::uint8_t probe = 0;
    if (size == 0 || size > 0xFFFF || phone.Seem_Read(seem, record, size - 1, 1, &probe) == -1 ||
        phone.Seem_Read(seem, record, size, 1, &probe) != -1)
        return Fail(QStringLiteral("%1 is not as long as %2 on the phone, or the phone did not answer")
                        .arg(file, what));
    if (phone.Seem_Write(seem, record, 0, size, data) != 0)
        return Fail("could not write " + what);
    QTextStream out(stdout);
    out << what << " restored from " << file << '\n';
    if (restart)
        phone.P2K_Restart();
    return 0;
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

#include "linkreason.h"

namespace tintora {

QString NoPhoneReason(int linkState, Language language)
{
    const bool ru = language == kRussian;
    switch (linkState) {
    case kNoPhoneLibrary:
        return ru ? QStringLiteral("Нет библиотеки связи с телефоном")
                  : QStringLiteral("No phone library");
    case kPhoneNotAnswering:
        return ru ? QStringLiteral("Телефон в командном режиме не ответил.")
                  : QStringLiteral("No phone in command mode answered.");
    case 0:
        return ru ? QStringLiteral("Нет телефона Motorola (производитель 22b8) на USB: включён ли "
                                   "телефон и передаёт ли кабель данные?")
                  : QStringLiteral("No Motorola phone (vendor 22b8) on USB: is the phone on, and "
                                   "the cable a data cable?");
    case 1: return {};
    case 2:
        return ru ? QStringLiteral("Телефон в режиме модема переключается в командный режим "
                                   "командой AT+MODE=8")
                  : QStringLiteral("A phone in modem mode is switched to command mode with "
                                   "AT+MODE=8");
    case 3:
        return ru ? QStringLiteral("Телефон перезагружается") : QStringLiteral("Phone restarting");
    case 4:
#if defined(Q_OS_WIN)
        return ru ? QStringLiteral("Телефон нельзя открыть: назначьте драйвер WinUSB его "
                                   "интерфейсу \"Motorola Test Command\" (README-Windows.txt)")
                  : QStringLiteral("The phone cannot be opened: bind the WinUSB driver to its "
                                   "\"Motorola Test Command\" interface (README-Windows.txt)");
#else
        return ru ? QStringLiteral("Этому пользователю нельзя открыть телефон: установите правило "
                                   "udev (README, \"Connecting a real phone\")")
                  : QStringLiteral("This user may not open the phone: install the udev rule "
                                   "(README, \"Connecting a real phone\")");
#endif
    case 5:
        return ru ? QStringLiteral("Телефон в режиме накопителя недоступен: извлеките его карту "
                                   "памяти, выберите в настройках USB телефона соединение для "
                                   "данных (модем) и подключите его снова.")
                  : QStringLiteral("A phone in mass-storage mode cannot be reached: eject its "
                                   "memory card, choose the data (modem) connection in the "
                                   "phone's USB settings and plug it in again.");
    case 7:
        return ru ? QStringLiteral("Телефон в режиме модема не переключился в командный режим")
                  : QStringLiteral("A phone in modem mode did not switch to command mode");
    default:
        return ru ? QStringLiteral("Устройство Motorola в неизвестном режиме")
                  : QStringLiteral("Motorola device in an unknown mode");
    }
}

QString PhoneGoneText(int linkState, Language language)
{
    const QString reason = NoPhoneReason(linkState, language);
    return language == kRussian
               ? QStringLiteral("Связь с телефоном потеряна (%1). Теперь — работа с компьютером.").arg(reason)
               : QStringLiteral("The phone has gone (%1). Working with the computer now.").arg(reason);
}

}  // namespace tintora

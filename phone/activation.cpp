#include "activation.h"

#include "connectionstate.h"
#include "rebootprompt.h"

#include "scheme/inputfile.h"
#include "scheme/systemreason.h"
#include "scheme/wholefilewrite.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace tintora {

using namespace Qt::Literals::StringLiterals;

namespace {

// A record is 255 bytes. Anything past this is no record file, and reading on
// would let /dev/zero and the like fill memory.
constexpr qint64 kMaxRecordFileSize = 1 << 20;

// Seem_Write's result from our USB library when the record may have changed.
constexpr int kMayHaveChanged = -2;

// Step texts: read, change, write.
using StepTexts = std::array<QString, 3>;

StepTexts PhoneSteps(Language language)
{
    if (language == kRussian)
        return {u"Чтение seem 0032 rec 0001....."_s, u"Изменение значения................."_s,
                u"Запись seem 0032 rec 0001.........."_s};
    return {u"Read seem 0032 rec 0001........."_s, u"Change value..........................."_s,
            u"Write seem 0032 rec 0001..........."_s};
}

// name: the record file's name, "0032_0001.seem" when none was chosen.
StepTexts ComputerSteps(Language language, const QString &name)
{
    if (language == kRussian)
        return {u"Открытие "_s + name + u"....."_s, u"Изменение значения................."_s,
                u"Запись "_s + name + u".........."_s};
    return {u"Open "_s + name + u"........."_s, u"Change value..........................."_s,
            u"Save "_s + name + u"..........."_s};
}

// A colour scheme chosen by mistake: a record has no signature, a scheme has
// one, and setting the bit would spoil one of its colours.
bool IsSchemeFile(const QByteArray &bytes)
{
    SchemeImage front{};
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), front.size()), front.begin());
    return IsSchemeImage(front);
}

QString SchemeRefusedText(Language language, const QString &path)
{
    return InLanguage(language,
                      u"Файл %1 — цветовая палитра, а не запись seem 0032_0001; он не изменён"_s,
                      u"%1 is a colour style, not a record of seem 0032_0001; it is left unchanged"_s)
        .arg(path);
}

QString VerdictText(Language language, ActivationVerdict verdict)
{
    switch (verdict) {
    case ActivationVerdict::Activated:
        return InLanguage(language, u"Пользовательские цветовые палитры успешно активированы"_s,
                          u"Custom colour styles are activated"_s);
    case ActivationVerdict::AlreadyActivated:
        return InLanguage(language, u"Пользовательские цветовые палитры уже активированы!"_s,
                          u"Custom colour styles already activated!"_s);
    case ActivationVerdict::NotActivated:
        break;
    }
    return InLanguage(language, u"Пользовательские цветовые палитры не активированы"_s,
                      u"Custom colour styles are not activated"_s);
}

QString Mark(bool done)
{
    return done ? u"[OK]"_s : u"[FAIL]"_s;
}

void Report(Messages &messages, Language language, const StepTexts &steps,
            ActivationResult &result)
{
    const QString text = steps[0] + Mark(result.read) + u'\r' + steps[1] + Mark(result.changed) +
                         u'\r' + steps[2] + Mark(result.written) + u'\r' + u'\r' +
                         VerdictText(language, result.verdict());
    messages.inform(text);
    result.reported = true;
}

// Sets the switch in the byte; true when it was clear.
bool SetSwitch(std::uint8_t &byte)
{
    if (byte & kStyleBit)
        return false;
    byte |= kStyleBit;
    return true;
}

}  // namespace

ActivationVerdict ActivationResult::verdict() const
{
    if (read && changed && written)
        return ActivationVerdict::Activated;
    if (read && written)
        return ActivationVerdict::AlreadyActivated;
    return ActivationVerdict::NotActivated;
}

ActivationResult ActivateCommand(CommandContext &context, WorkMode workMode)
{
    if (workMode == WorkMode::Computer)
        return ActivateFromComputer(context);
    return ActivateOnPhone(context);
}

ActivationResult ActivateOnPhone(CommandContext &context)
{
    PhoneLibrary &phone = context.phone;
    ActivationResult result;
    std::uint8_t byte = 0;
    if (phone.Seem_Read(kStyleSeem, kStyleRecord, kStyleOffset, 1, &byte) == -1) {
        context.dialogs.inform(context.pick(u"Не могу прочитать seem 0032h rec 0001h"_s,
                                            u"Read error of a seem 0032h rec 0001h"_s));
    } else {
        result.read = true;
        result.changed = SetSwitch(byte);
        const int written = phone.Seem_Write(kStyleSeem, kStyleRecord, kStyleOffset, 1, &byte);
        result.written = written == 0;
        result.uncertain = written == kMayHaveChanged;
    }
    Report(context.dialogs, context.language, PhoneSteps(context.language), result);
    if (result.uncertain) {
        const QString copy = QString::fromStdString(phone.formerCopy().file);
        context.dialogs.informFailure(
            context.pick(u"Ответ телефона на запись потерян: seem 0032 rec 0001 мог измениться. "
                         u"Запись, какой она была, сохранена в "_s + copy +
                             u"\rВернуть её: tintora-cli phone restore-seem "_s + copy,
                         u"The phone's answer to the write was lost: seem 0032 rec 0001 may have "
                         u"changed. The record as it was is kept in "_s + copy +
                             u"\rTo put it back: tintora-cli phone restore-seem "_s + copy));
    } else if (result.changed) {
        result.restarted = OfferRestart(context);
    }
    return result;
}

ActivationResult ActivateFromComputer(CommandContext &context)
{
    const QString path = context.dialogs.chooseOpenFile(
        context.pick(u"Открыть seem 0032_0001"_s, u"Open seem 0032_0001"_s),
        context.pick(u"Seem файлы(*.seem)|*.seem|Все(*.*)|*.*"_s,
                     u"Seem files(*.seem)|*.seem|All(*.*)|*.*"_s));
    return ActivateRecordFile(context.dialogs, context.language, path);
}

ActivationResult ActivateRecordFile(Messages &messages, Language language, const QString &path)
{
    const StepTexts steps =
        ComputerSteps(language, path.isEmpty() ? u"0032_0001.seem"_s : QFileInfo(path).fileName());
    ActivationResult result;
    if (path.isEmpty()) {
        Report(messages, language, steps, result);
        return result;
    }
    const QString refused = RefusedInputReason(path, language);
    QFile file(path);
    if (!refused.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        messages.inform(NotOpenedText(language, path, refused.isEmpty() ? file.errorString() : refused));
        Report(messages, language, steps, result);
        return result;
    }
    QByteArray record = file.read(kMaxRecordFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        messages.reportError(SystemReason(file.errorString()));
        return result;
    }
    file.close();
    if (IsSchemeFile(record)) {
        messages.inform(SchemeRefusedText(language, path));
        Report(messages, language, steps, result);
        return result;
    }
    if (record.size() <= kStyleOffset || record.size() > kMaxRecordFileSize) {
        Report(messages, language, steps, result);
        return result;
    }
    result.read = true;
    auto byte = static_cast<std::uint8_t>(record[kStyleOffset]);
    result.changed = SetSwitch(byte);
    record[kStyleOffset] = static_cast<char>(byte);
    QString error;
    switch (WriteWholeFile(path, record, &error)) {
    case WriteOutcome::Failed:
        messages.reportError(SystemReason(error));
        return result;
    case WriteOutcome::NotOpened:
        break;
    case WriteOutcome::Written:
        result.written = true;
        break;
    }
    Report(messages, language, steps, result);
    return result;
}

}  // namespace tintora

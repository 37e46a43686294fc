#include "activation.h"

#include "connectionstate.h"
#include "rebootprompt.h"

#include "scheme/inputfile.h"
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

StepTexts PhoneSteps(const CommandWords &words)
{
    return {words.text({CommandText::ReadSeemStep}), words.text({CommandText::ChangeStep}),
            words.text({CommandText::WriteSeemStep})};
}

// name: the record file's name, "0032_0001.seem" when none was chosen.
StepTexts ComputerSteps(const CommandWords &words, const QString &name)
{
    return {words.text({CommandText::OpenRecordStep, name}), words.text({CommandText::ChangeStep}),
            words.text({CommandText::SaveRecordStep, name})};
}

// A colour scheme chosen by mistake: a record has no signature, a scheme has
// one, and setting the bit would spoil one of its colours.
bool IsSchemeFile(const QByteArray &bytes)
{
    SchemeImage front{};
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), front.size()), front.begin());
    return IsSchemeImage(front);
}

CommandText VerdictText(ActivationVerdict verdict)
{
    switch (verdict) {
    case ActivationVerdict::Activated:
        return CommandText::Activated;
    case ActivationVerdict::AlreadyActivated:
        return CommandText::AlreadyActivated;
    case ActivationVerdict::NotActivated:
        break;
    }
    return CommandText::NotActivated;
}

QString Mark(bool done)
{
    return done ? u"[OK]"_s : u"[FAIL]"_s;
}

void Report(Messages &messages, const CommandWords &words, const StepTexts &steps,
            ActivationResult &result)
{
    const QString text = steps[0] + Mark(result.read) + u'\r' + steps[1] + Mark(result.changed) +
                         u'\r' + steps[2] + Mark(result.written) + u'\r' + u'\r' +
                         words.text({VerdictText(result.verdict())});
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
        context.dialogs.inform(context.say({CommandText::SeemReadError}));
    } else {
        result.read = true;
        result.changed = SetSwitch(byte);
        const int written = phone.Seem_Write(kStyleSeem, kStyleRecord, kStyleOffset, 1, &byte);
        result.written = written == 0;
        result.uncertain = written == kMayHaveChanged;
    }
    Report(context.dialogs, context.words, PhoneSteps(context.words), result);
    if (result.uncertain) {
        const QString copy = QString::fromStdString(phone.formerCopy().file);
        context.dialogs.informFailure(context.say({CommandText::SeemWriteLost, copy}));
    } else if (result.changed) {
        result.restarted = OfferRestart(context);
    }
    return result;
}

ActivationResult ActivateFromComputer(CommandContext &context)
{
    const QString path = context.dialogs.chooseOpenFile(context.say({CommandText::OpenRecordTitle}),
                                                        context.say({CommandText::OpenRecordFilter}));
    return ActivateRecordFile(context.dialogs, context.words, path);
}

ActivationResult ActivateRecordFile(Messages &messages, const CommandWords &words, const QString &path)
{
    const StepTexts steps =
        ComputerSteps(words, path.isEmpty() ? u"0032_0001.seem"_s : QFileInfo(path).fileName());
    ActivationResult result;
    if (path.isEmpty()) {
        Report(messages, words, steps, result);
        return result;
    }
    const bool special = IsSpecialFile(path);
    QFile file(path);
    if (special || !file.open(QIODevice::ReadOnly)) {
        messages.inform(special ? words.text({CommandText::NotRegularFile, path})
                                : words.text({CommandText::NotOpened, path, file.errorString()}));
        Report(messages, words, steps, result);
        return result;
    }
    QByteArray record = file.read(kMaxRecordFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        messages.reportError(words.text({CommandText::SystemError, {}, file.errorString()}));
        return result;
    }
    file.close();
    if (IsSchemeFile(record)) {
        messages.inform(words.text({CommandText::SchemeNotRecord, path}));
        Report(messages, words, steps, result);
        return result;
    }
    if (record.size() <= kStyleOffset || record.size() > kMaxRecordFileSize) {
        Report(messages, words, steps, result);
        return result;
    }
    result.read = true;
    auto byte = static_cast<std::uint8_t>(record[kStyleOffset]);
    result.changed = SetSwitch(byte);
    record[kStyleOffset] = static_cast<char>(byte);
    QString error;
    switch (WriteWholeFile(path, record, &error)) {
    case WriteOutcome::Failed:
        messages.reportError(words.text({CommandText::SystemError, {}, error}));
        return result;
    case WriteOutcome::NotOpened:
        break;
    case WriteOutcome::Written:
        result.written = true;
        break;
    }
    Report(messages, words, steps, result);
    return result;
}

}  // namespace tintora

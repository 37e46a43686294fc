#include "savecommand.h"

#include "connectionstate.h"
#include "rebootprompt.h"

#include "scheme/codepage.h"
#include "scheme/wholefilewrite.h"

#include <array>

namespace tintora {

namespace {

constexpr int kLeastFreeSpace = 1024;

void Confirm(CommandContext &context, const QString &path)
{
    const QString name = FromCp1251(context.scheme.name);
    context.dialogs.inform(context.say({.text = CommandText::Saved, .file = path, .name = name}));
}

// The write error, and when the phone may be left without its file or with
// part of it, where its former content is kept and how to put it back; when
// the file was left alone for want of a copy, where the copy was to go and why
// it could not.
void ReportWriteError(CommandContext &context, const QString &path)
{
    QString text = context.say({CommandText::PhoneWriteError, path});
    const PhoneLibrary::FormerCopy former = context.phone.formerCopy();
    if (!former.reason.empty())
        text += context.say({CommandText::NoCopyKept, QString::fromStdString(former.folder),
                             QString::fromStdString(former.reason)});
    const QString copy = QString::fromStdString(former.file);
    if (!copy.isEmpty())
        text += context.say({CommandText::FormerFileKept, copy});
    context.dialogs.informFailure(text);
}

}  // namespace

SaveResult SaveCommand(CommandContext &context, WorkMode workMode, QString &currentFilePath,
                       const QString &phonePath, const QString &saveTitle)
{
    if (workMode == WorkMode::Computer)
        return SaveToComputer(context, currentFilePath, saveTitle);
    return SaveToPhone(context, phonePath);
}

SaveResult SaveToComputer(CommandContext &context, QString &currentFilePath,
                          const QString &saveTitle, const QString &suggestedName)
{
    if (currentFilePath.isEmpty()) {
        const QString filter = context.say({CommandText::SaveSchemeFilter});
        const QString path =
            context.dialogs.chooseSaveFile(saveTitle, filter, suggestedName);
        if (path.isEmpty())
            return {};
        currentFilePath = path;
    }
    const SchemeImage image = EncodeScheme(context.scheme);
    const QByteArrayView bytes(image.data(), image.size());
    QString error;
    switch (WriteWholeFile(currentFilePath, bytes, &error)) {
    case WriteOutcome::NotOpened:
        context.dialogs.inform(context.say({CommandText::CreateError, currentFilePath}) + u'\r' +
                               context.say({CommandText::SystemError, {}, error}));
        return {};
    case WriteOutcome::Failed:
        context.dialogs.reportError(context.say({CommandText::SystemError, {}, error}));
        return {};
    case WriteOutcome::Written:
        break;
    }
    Confirm(context, currentFilePath);
    return {.saved = true, .showName = true};
}

SaveResult SaveToPhone(CommandContext &context, const QString &phonePath)
{
    PhoneLibrary &phone = context.phone;
    std::array<std::uint16_t, 256> volume{};
    const int freeSpace = phone.File_VolInfo(volume.data());
    // -1 is the library's failure: no answer, which says nothing of the space.
    if (freeSpace == -1) {
        context.dialogs.informFailure(context.say({CommandText::PhoneNotAnswering}));
        return {};
    }
    if (freeSpace < kLeastFreeSpace) {
        context.dialogs.informFailure(context.say({CommandText::NotEnoughSpace}));
        return {};
    }
    const SchemeImage image = EncodeScheme(context.scheme);
    // A path the phone's code page cannot spell cannot be created there.
    const std::optional<QByteArray> path = ToCp1251(phonePath);
    if (!path || phone.File_Create(path->constData(), 0) == -1) {
        context.dialogs.informFailure(context.say({CommandText::CreateError, phonePath}));
        return {};
    }
    if (phone.File_Write(image.data(), kSchemeImageSize) == -1) {
        phone.File_Close();
        ReportWriteError(context, phonePath);
        return {};
    }
    // Unsaved data may sit in the phone until the close: a failed close is a failed save.
    if (phone.File_Close() == -1) {
        ReportWriteError(context, phonePath);
        return {};
    }
    Confirm(context, phonePath);
    return {.saved = true, .restarted = OfferRestart(context)};
}

}  // namespace tintora

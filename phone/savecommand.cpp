#include "savecommand.h"

#include "connectionstate.h"
#include "rebootprompt.h"

#include "scheme/codepage.h"
#include "scheme/systemreason.h"
#include "scheme/wholefilewrite.h"

#include <array>

namespace tintora {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kLeastFreeSpace = 1024;

void Confirm(CommandContext &context, const QString &path)
{
    const QString name = FromCp1251(context.scheme.name);
    context.dialogs.inform(context.pick(u"Цветовая палитра: "_s + name + u"\rПуть сохраниения: "_s + path,
                                        u"Colour style: "_s + name + u"\rSaving path: "_s + path));
}

QString CreateErrorText(const CommandContext &context, const QString &path)
{
    return context.pick(u"Не могу создать файл "_s + path, u"Create error of a file "_s + path);
}

// The write error, and when the phone may be left without its file or with
// part of it, where its former content is kept and how to put it back; when
// the file was left alone for want of a copy, where the copy was to go and why
// it could not.
void ReportWriteError(CommandContext &context, const QString &path)
{
    QString text = context.pick(u"Не могу записать файл "_s + path, u"Write error of a file "_s + path);
    const PhoneLibrary::FormerCopy former = context.phone.formerCopy();
    if (!former.reason.empty()) {
        QString where = QString::fromStdString(former.folder);
        if (!where.isEmpty())
            where = context.pick(u" в "_s, u" in "_s) + where;
        text += context.pick(u"\rФайл на телефоне не изменён: не удалось сохранить его копию"_s,
                             u"\rThe file on the phone is left unchanged: no copy of it could be kept"_s) +
                where + u": "_s + SystemReason(QString::fromStdString(former.reason));
    }
    const QString copy = QString::fromStdString(former.file);
    if (!copy.isEmpty())
        text += context.pick(
            u"\rФайл на телефоне мог пропасть или остаться неполным. Прежний файл сохранён в "_s +
                copy + u"\rВернуть его: tintora-cli phone write "_s + copy,
            u"\rThe phone may be left without the file or with part of it. The former file is "
            u"kept in "_s + copy + u"\rTo put it back: tintora-cli phone write "_s + copy);
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
        const QString filter =
            context.pick(u"Цветовые палитры(*.sch)|*.sch"_s, u"Colour styles(*.sch)|*.sch"_s);
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
        context.dialogs.inform(CreateErrorText(context, currentFilePath) + u'\r' +
                               SystemReason(error));
        return {};
    case WriteOutcome::Failed:
        context.dialogs.reportError(SystemReason(error));
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
        context.dialogs.informFailure(context.pick(u"Телефон не отвечает"_s, u"The phone does not answer"_s));
        return {};
    }
    if (freeSpace < kLeastFreeSpace) {
        context.dialogs.informFailure(
            context.pick(u"Недостаточно места на получателе"_s, u"Not enough free space on phone"_s));
        return {};
    }
    const SchemeImage image = EncodeScheme(context.scheme);
    // A path the phone's code page cannot spell cannot be created there.
    const std::optional<QByteArray> path = ToCp1251(phonePath);
    if (!path || phone.File_Create(path->constData(), 0) == -1) {
        context.dialogs.informFailure(CreateErrorText(context, phonePath));
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

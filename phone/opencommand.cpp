#include "opencommand.h"

#include "connectionstate.h"

#include "scheme/codepage.h"

namespace tintora {

using namespace Qt::Literals::StringLiterals;

OpenResult OpenCommand(CommandContext &context, WorkMode workMode, QString &currentFilePath,
                       const QString &phonePath)
{
    if (workMode == WorkMode::Computer)
        return OpenFromComputer(context, currentFilePath);
    return OpenFromPhone(context, phonePath);
}

OpenResult OpenFromComputer(CommandContext &context, QString &currentFilePath)
{
    const QString title = context.pick(u"Открыть spcolor.sch"_s, u"Open spcolor.sch"_s);
    const QString filter = context.pick(u"Цветовые палитры(*.sch)|*.sch|Все(*.*)|*.*"_s,
                                        u"Colour styles(*.sch)|*.sch|All(*.*)|*.*"_s);
    const QString path = context.dialogs.chooseOpenFile(title, filter);
    if (path.isEmpty())
        return {};
    return OpenSchemeFile(context, path, currentFilePath);
}

OpenResult OpenSchemeFile(CommandContext &context, const QString &path, QString &currentFilePath)
{
    QString note;
    const LoadOutcome outcome =
        LoadSchemeFile(context.scheme, path, context.dialogs, context.language, &note);
    const bool loaded = outcome == LoadOutcome::Loaded;
    if (loaded)
        currentFilePath = path;
    return {.resetView = true, .loaded = loaded, .note = note};
}

OpenResult OpenFromPhone(CommandContext &context, const QString &phonePath)
{
    PhoneLibrary &phone = context.phone;
    const QString readError = context.pick(u"Не могу прочитать файл "_s + phonePath,
                                           u"Read error of a file "_s + phonePath);
    // A path the phone's code page cannot spell names no file there.
    const std::optional<QByteArray> path = ToCp1251(phonePath);
    if (!path || phone.File_Create(path->constData(), 0) == -1) {
        context.dialogs.inform(readError);
        return {};
    }
    SchemeImage buffer{};
    const int read = phone.File_Read(buffer.data(), kSchemeImageSize);
    if (read == -1) {
        context.dialogs.inform(readError);
        phone.File_Close();
        return {};
    }
    if (!IsSchemeImage(buffer)) {
        context.dialogs.inform(context.pick(u"Файл "_s + phonePath + u" не найден"_s,
                                            u"File "_s + phonePath + u" not found"_s));
        phone.File_Close();
        return {};
    }
    DecodeScheme(context.scheme, buffer);
    phone.File_Close();
    // A short file leaves the rest of the scheme zero, as a short computer file does.
    const QString note = read >= 0 && read < kSchemeImageSize
                             ? ShortSchemeText(context.language, phonePath, read)
                             : QString();
    return {.resetView = true, .loaded = true, .note = note};
}

}  // namespace tintora

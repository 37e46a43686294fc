#include "opencommand.h"

#include "connectionstate.h"

#include "scheme/codepage.h"

#include <QFileInfo>

namespace tintora {

LoadOutcome LoadSchemeAndReport(ColourScheme &scheme, const QString &path, Messages &messages,
                                const CommandWords &words, QString *note)
{
    const SchemeFileRead read = LoadSchemeFile(scheme, path);
    const QString name = QFileInfo(path).fileName();
    QString said;
    switch (read.outcome) {
    case LoadOutcome::NotOpened:
        said = words.text({read.special ? CommandText::NotRegularFile : CommandText::NotOpened, name, read.reason});
        break;
    case LoadOutcome::ReadFailed:
        messages.reportError(words.text({CommandText::ReadFailed, path, read.reason}));
        break;
    case LoadOutcome::NotScheme:
        messages.inform(words.text({CommandText::NotScheme}));
        break;
    case LoadOutcome::Loaded:
        if (read.size < kSchemeImageSize)
            said = words.text({.text = CommandText::ShortScheme, .file = name, .size = read.size});
        break;
    }
    if (note)
        *note = said;
    return read.outcome;
}

OpenResult OpenCommand(CommandContext &context, WorkMode workMode, QString &currentFilePath,
                       const QString &phonePath)
{
    if (workMode == WorkMode::Computer)
        return OpenFromComputer(context, currentFilePath);
    return OpenFromPhone(context, phonePath);
}

OpenResult OpenFromComputer(CommandContext &context, QString &currentFilePath)
{
    const QString path = context.dialogs.chooseOpenFile(context.say({CommandText::OpenSchemeTitle}),
                                                        context.say({CommandText::OpenSchemeFilter}));
    if (path.isEmpty())
        return {};
    return OpenSchemeFile(context, path, currentFilePath);
}

OpenResult OpenSchemeFile(CommandContext &context, const QString &path, QString &currentFilePath)
{
    QString note;
    const bool loaded = LoadSchemeAndReport(context.scheme, path, context.dialogs, context.words, &note) ==
                        LoadOutcome::Loaded;
    if (loaded)
        currentFilePath = path;
    return {.resetView = true, .loaded = loaded, .note = note};
}

OpenResult OpenFromPhone(CommandContext &context, const QString &phonePath)
{
    PhoneLibrary &phone = context.phone;
    const QString readError = context.say({CommandText::PhoneReadError, phonePath});
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
        context.dialogs.inform(context.say({CommandText::PhoneFileMissing, phonePath}));
        phone.File_Close();
        return {};
    }
    DecodeScheme(context.scheme, buffer);
    phone.File_Close();
    // A short file leaves the rest of the scheme zero, as a short computer file does.
    const QString note = read >= 0 && read < kSchemeImageSize
                             ? context.say({.text = CommandText::ShortScheme, .file = phonePath, .size = read})
                             : QString();
    return {.resetView = true, .loaded = true, .note = note};
}

}  // namespace tintora

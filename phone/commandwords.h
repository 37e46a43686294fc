#pragma once

#include <QString>

namespace tintora {

// What the file and phone commands tell the user. The interface words them (ui/wording), so
// the commands speak no language of their own.
enum class CommandText {
    // The file dialogs' titles and filters.
    OpenSchemeTitle,
    OpenSchemeFilter,
    SaveSchemeFilter,
    OpenRecordTitle,
    OpenRecordFilter,
    // The system's reason alone, for the general error report.
    SystemError,
    // A computer file: file, with the system's reason, or the bytes a short scheme had.
    NotOpened,
    NotRegularFile,
    ReadFailed,
    NotScheme,
    ShortScheme,
    CreateError,
    // The scheme on the phone: file.
    PhoneReadError,
    PhoneFileMissing,
    PhoneWriteError,
    // After a write error: file is the folder the copy was to go to (may be empty), with the
    // system's reason; or file is the copy kept of the phone's former file.
    NoCopyKept,
    FormerFileKept,
    // file, and name: the scheme's.
    Saved,
    PhoneNotAnswering,
    NotEnoughSpace,
    RestartQuestion,
    RestartFailed,
    // Activation: the steps of its report (file: the record file's name, on the computer), the
    // verdicts, and what ends it early. SeemWriteLost: file is the copy of the record.
    ReadSeemStep,
    ChangeStep,
    WriteSeemStep,
    OpenRecordStep,
    SaveRecordStep,
    Activated,
    AlreadyActivated,
    NotActivated,
    SeemReadError,
    SeemWriteLost,
    SchemeNotRecord,
};

struct CommandNote {
    CommandText text;
    QString file = {};
    QString reason = {};  // the system's reason, as it gave it
    QString name = {};
    int size = 0;
};

class CommandWords {
public:
    virtual ~CommandWords() = default;
    virtual QString text(const CommandNote &note) const = 0;
};

}  // namespace tintora

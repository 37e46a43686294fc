// The editor's command line: --help, --version and the scheme file to open.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tintora {

// The editor's command line: --help, --version and an optional scheme file; further
// arguments are ignored, as "--" lets a file name start with "-".
class EditorCommandLine {
public:
    struct Answer {
        int exitCode = 0;
        QString output;  // for standard output
        QString error;   // for standard error
    };

    explicit EditorCommandLine(const QString &version) : version_(version) {}

    // arguments start with the program's name. Options the window system takes (such as
    // -style) are unknown until the GUI application has removed them; complete says it has.
    // No answer: the editor starts.
    std::optional<Answer> answer(const QStringList &arguments, bool complete) const;
    // The scheme file to open, empty for none.
    static QString file(const QStringList &arguments);

private:
    QString version_;
};

}  // namespace tintora

#pragma once

#include "phone/dialogs.h"

#include <QTextStream>

#include <cstdio>

namespace tintora::cli {

// Messages on the console: texts go to standard output (standard error while
// standard output carries the command's data) with their lines on lines of
// their own, error reports to standard error, and a question is answered by a
// setting made beforehand. Files come from the arguments, so a file dialog is
// always cancelled.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(bool answerYes, FILE *texts = stdout) : answerYes_(answerYes), out_(texts) {}

    void inform(const QString &text) override;
    void informFailure(const QString &text) override;
    void reportError(const QString &text) override;
    bool askYesNo(const QString &text) override;
    QString chooseOpenFile(const QString &title, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &filter,
                           const QString &initialName) override;

private:
    bool answerYes_;
    QTextStream out_;
    QTextStream err_{stderr};
};

}  // namespace tintora::cli

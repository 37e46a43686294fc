#pragma once

#include "phone/dialogs.h"

#include <QTextStream>

namespace tintora::cli {

// Messages on the console: texts go to standard output with their lines on
// lines of their own, error reports to standard error, and a question is
// answered by a setting made beforehand. Files come from the arguments, so a
// file dialog is always cancelled.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(bool answerYes) : answerYes_(answerYes) {}

    void inform(const QString &text) override;
    void informFailure(const QString &text) override;
    void reportError(const QString &text) override;
    bool askYesNo(const QString &text) override;
    QString chooseOpenFile(const QString &title, const QString &filter) override;
    QString chooseSaveFile(const QString &title, const QString &filter,
                           const QString &initialName) override;

private:
    bool answerYes_;
    QTextStream out_{stdout};
    QTextStream err_{stderr};
};

}  // namespace tintora::cli

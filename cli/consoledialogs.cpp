#include "consoledialogs.h"

namespace tintora::cli {
void ConsoleDialogs::inform(const QString &text)
{
    out_ << MessageLines(text) << Qt::endl;
}

void ConsoleDialogs::informFailure(const QString &text)
{
    reportError(text);
}

void ConsoleDialogs::reportError(const QString &text)
{
    err_ << "tintora-cli: " << MessageLines(text) << Qt::endl;
}

bool ConsoleDialogs::askYesNo(const QString &text)
{
    out_ << MessageLines(text) << ' ' << (answerYes_ ? "yes" : "no") << Qt::endl;
    return answerYes_;
}

QString ConsoleDialogs::chooseOpenFile(const QString &, const QString &)
{
    return {};
}

QString ConsoleDialogs::chooseSaveFile(const QString &, const QString &, const QString &)
{
    return {};
}

}  // namespace tintora::cli

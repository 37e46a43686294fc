#include "consoledialogs.h"

namespace tintora::cli {
namespace {

QString Lines(QString text)
{
    return text.replace(u'\r', u'\n');
}

}  // namespace

void ConsoleDialogs::inform(const QString &text)
{
    out_ << Lines(text) << Qt::endl;
}

void ConsoleDialogs::reportError(const QString &text)
{
    err_ << "tintora-cli: " << Lines(text) << Qt::endl;
}

bool ConsoleDialogs::askYesNo(const QString &text)
{
    out_ << Lines(text) << ' ' << (answerYes_ ? "yes" : "no") << Qt::endl;
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

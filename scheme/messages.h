#pragma once

#include <QString>

namespace tintora {

// What the program tells the user and asks of them. The window shows boxes
// titled "Tintora"; tests script the answers and read the texts.
class Messages {
public:
    virtual ~Messages() = default;
    // Plain box, no icon, one OK button; "\r" separates lines.
    virtual void inform(const QString &text) = 0;
    // A failure told in a plain box like inform; a console puts it among
    // the errors.
    virtual void informFailure(const QString &text) { inform(text); }
    // The general error report for input/output failures.
    virtual void reportError(const QString &text) = 0;
    // Warning box with Yes and No; true for Yes.
    virtual bool askYesNo(const QString &text) = 0;
};

// A message's text with its carriage returns as the line breaks a display shows.
inline QString MessageLines(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

}  // namespace tintora

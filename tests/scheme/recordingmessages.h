#pragma once

#include "scheme/messages.h"

#include <QStringList>

// Keeps what the program would have shown; every question is answered No.
class RecordingMessages : public tintora::Messages {
public:
    void inform(const QString &text) override { informed.append(text); }
    void reportError(const QString &text) override { errors.append(text); }
    bool askYesNo(const QString &text) override
    {
        questions.append(text);
        return false;
    }

    QStringList informed;
    QStringList errors;
    QStringList questions;
};

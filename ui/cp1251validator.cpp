// A validator that accepts only text Windows-1251 can hold.
#include "cp1251validator.h"

#include "scheme/codepage.h"

namespace tintora {

Cp1251Validator::Cp1251Validator(QObject *parent) : QValidator(parent) {}

QValidator::State Cp1251Validator::validate(QString &input, int &) const
{
    for (const QChar c : input) {
        if (!IsCp1251Char(c))
            return Invalid;
    }
    return Acceptable;
}

}  // namespace tintora

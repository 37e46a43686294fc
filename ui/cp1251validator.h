// A validator that accepts only text Windows-1251 can hold.
#pragma once

#include <QValidator>

namespace tintora {

// Accepts only text that Windows-1251 can hold, the code page of scheme names and settings.
class Cp1251Validator : public QValidator {
    Q_OBJECT
public:
    explicit Cp1251Validator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;
};

}  // namespace tintora

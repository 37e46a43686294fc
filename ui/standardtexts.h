// Qt's own texts (the buttons of message boxes, the colour chooser, the file dialogs) in the
// interface language rather than the system's.
#pragma once

#include <QTranslator>

namespace tintora {

class StandardTexts {
public:
    // A language's code ("ru") installs Qt's translation into it, "en" leaves Qt's English.
    // Without a translation to load, Qt's texts stay English.
    void use(const QString &code);

private:
    QTranslator translator_;
    QString code_ = QStringLiteral("en");
};

}  // namespace tintora

// The interface's languages: English, in which the texts are written, and each language
// whose translation the program carries.
#pragma once

#include "standardtexts.h"

#include <QString>
#include <QTranslator>

#include <vector>

namespace tintora {

struct InterfaceLanguage {
    // The translation's name, "ru"; "en" for English, which needs none.
    QString code;
    // The value of [Options] Language that selects it: the language's English name.
    QString storedName;
    // Its item in the Language menu, in the language itself.
    QString caption;
};

// The languages of the translations, in the order of their names, then English.
std::vector<InterfaceLanguage> InterfaceLanguages();
// The storedName of the language of code.
QString StoredNameOf(const QString &code);
// The code of the language stored as storedName; a value that names none of them (a missing
// one included) starts the Russian interface.
QString LanguageOfStoredName(const QString &storedName);

// The texts of the program and of Qt in one language, installed on the application.
class InterfaceTranslation {
public:
    // Every widget has had its LanguageChange when this returns.
    void use(const QString &code);

private:
    QTranslator translator_;
    bool installed_ = false;
    StandardTexts standardTexts_;
};

}  // namespace tintora

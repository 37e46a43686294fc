// Qt's own texts (the buttons of message boxes, the colour chooser, the file dialogs) in the
// interface language rather than the system's.
#pragma once

#include "scheme/colourscheme.h"

#include <QTranslator>

namespace tintora {

class StandardTexts {
public:
    // Russian installs Qt's Russian translation, anything else leaves Qt's English. Without
    // a translation to load, Qt's texts stay English.
    void use(Language language);

private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace tintora

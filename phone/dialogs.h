#pragma once

#include "../scheme/messages.h"

#include <QString>

namespace tintora {

// Messages plus the file dialogs the commands open. An empty result is a cancel.
class Dialogs : public Messages {
public:
    // filter in the "Text(*.ext)|*.ext|..." form the commands are given.
    virtual QString chooseOpenFile(const QString &title, const QString &filter) = 0;
    virtual QString chooseSaveFile(const QString &title, const QString &filter,
                                   const QString &initialName) = 0;
};

}  // namespace tintora

#pragma once

#include "scheme/messages.h"

#include <QByteArrayView>
#include <QString>

namespace tintora {

enum class ReplaceOutcome {
    NotOpened,  // silent: the file could not be opened for writing
    Failed,     // reported through Messages::reportError; the old file is whole
    Replaced,
};

// Replaces a computer file's content as a whole or not at all: the bytes go to
// a file beside it that takes the old one's place only when complete.
ReplaceOutcome ReplaceFileContents(const QString &path, QByteArrayView bytes,
                                   Messages &messages);

}  // namespace tintora

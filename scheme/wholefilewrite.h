#pragma once

#include <QByteArrayView>
#include <QString>

namespace tintora {

enum class WriteOutcome {
    NotOpened,  // the file could not be opened for writing; it is as it was
    Failed,     // writing or the final rename failed; the old file is whole, but for a
                // file written in place (below) whose old bytes the system would not take back
    Written,
};

// Replaces a file's content as a whole or not at all: the bytes go to a file
// beside it that takes the old one's place, with its mode, owner and group,
// only when complete. A writable file in a folder that takes no new files is
// written over in place and cut to length last, so that it is never shorter than
// before nor empty, though a killed write may leave new bytes before old ones. A
// device, a pipe or a socket is written into and never replaced. error, when
// given, receives the system's explanation of a failure.
WriteOutcome WriteWholeFile(const QString &path, QByteArrayView bytes, QString *error = nullptr);

}  // namespace tintora

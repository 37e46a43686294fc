#pragma once

#include <QString>

namespace tintora::cli {

// Prints "tintora-cli: " and the message on standard error.
void Warn(const QString &message);

// Warn, then return the exit status of a failed command, 1.
int Fail(const QString &message);

// Fail with the command's usage lines.
int UsageError(const char *usage);

}  // namespace tintora::cli

#pragma once

#include <QString>

namespace tintora::cli {

// Prints "tintora-cli: " and the message on standard error; the command goes on.
void Warn(const QString &message);

// Warn, then return the exit status of a failed command: 1, or status for a command
// whose 1 means a finding.
int Fail(const QString &message, int status = 1);

// Fail with the command's usage lines.
int UsageError(const char *usage, int status = 1);

}  // namespace tintora::cli

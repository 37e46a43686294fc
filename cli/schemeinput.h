#pragma once

#include "scheme/colourscheme.h"

#include <QString>

#include <optional>

namespace tintora::cli {

// A scheme file for a command: nullopt with the reason, in English, when it
// cannot be opened or read or is not a colour scheme.
std::optional<ColourScheme> ReadSchemeArgument(const QString &path, QString &error);

}  // namespace tintora::cli

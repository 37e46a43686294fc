#pragma once

#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace tintora::cli {

// The words of a command line: its file names in order, options with a value, and flags.
struct Arguments {
    QStringList files;
    std::map<QString, QString> values;
    QStringList flags;
};

// Splits a command's words: a word of valueOptions takes the next word as its value, one of
// flagOptions stands alone, any other word starting with '-' is an unknown option, except
// "-" itself (standard output) and every word after "--", which are file names.
std::optional<Arguments> Split(const QStringList &args, const QStringList &valueOptions,
                               const QStringList &flagOptions, QString &error);

// A scheme command's output left out is standard output, unless that is a terminal, which
// has no use for the bytes: count is the number of files with the output.
void OutputDefaultsToStandardOutput(Arguments &split, qsizetype count);

}  // namespace tintora::cli

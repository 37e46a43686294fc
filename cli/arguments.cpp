#include "arguments.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace tintora::cli {

std::optional<Arguments> Split(const QStringList &args, const QStringList &valueOptions,
                               const QStringList &flagOptions, QString &error)
{
    Arguments split;
    for (int i = 0; i < args.size(); ++i) {
        const QString &word = args[i];
        if (word == QLatin1String("--")) {
            split.files << args.mid(i + 1);
            break;
        }
        if (valueOptions.contains(word)) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(word);
                return std::nullopt;
            }
            if (!split.values.emplace(word, args[++i]).second) {
                error = QStringLiteral("%1 given twice").arg(word);
                return std::nullopt;
            }
        } else if (flagOptions.contains(word)) {
            split.flags << word;
        } else if (word.startsWith(QLatin1Char('-')) && word.size() > 1) {
            error = QStringLiteral("unknown option '%1'").arg(word);
            return std::nullopt;
        } else {
            split.files << word;
        }
    }
    return split;
}

void OutputDefaultsToStandardOutput(Arguments &split, qsizetype count)
{
    if (split.files.size() == count - 1 && !isatty(fileno(stdout)))
        split.files << QStringLiteral("-");
}

}  // namespace tintora::cli

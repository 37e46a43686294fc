// The format's tables transcribed by hand, tab-separated, beside the scheme's tests.
#pragma once

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <vector>

namespace tintora {

// The rows of a tab-separated file, without its "#" comment lines.
inline std::vector<QStringList> ReadRows(const char *fileName, int columns)
{
    QFile file(QStringLiteral(TINTORA_SCHEME_TABLES_DIR "/") + QLatin1String(fileName));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << fileName;
    std::vector<QStringList> rows;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        rows.push_back(QString::fromUtf8(line).split('\t'));
        EXPECT_EQ(rows.back().size(), columns) << fileName << ": " << line.constData();
    }
    return rows;
}

}  // namespace tintora

#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A promise broken stops the run like a crash, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: does not hold: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

namespace tintora::fuzz {

// The readers under test take paths: each input becomes a file in a folder of
// this process, in memory where the system offers one.
inline QString ScratchPath(const char *name)
{
    static const QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tintora-fuzz-XXXXXX")
                                                                 : QDir::tempPath() + "/tintora-fuzz-XXXXXX");
    FUZZ_CHECK(folder.isValid());
    return folder.filePath(QString::fromLatin1(name));
}

inline void WriteScratch(const QString &path, const std::uint8_t *data, std::size_t size)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
}

inline QByteArray ReadScratch(const QString &path)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

}  // namespace tintora::fuzz

#include "loadedphonelibrary.h"

#include "linkreason.h"

#include <QCoreApplication>
#include <QDir>

namespace tintora {
namespace {

#if defined(Q_OS_WIN)
constexpr auto kLibraryFile = "p2kapi.dll";
#else
constexpr auto kLibraryFile = "libp2kapi.so";
#endif
constexpr auto kLibraryName = "p2kapi";

constexpr int kFailure = -1;

template <typename Function>
bool Resolve(QLibrary &library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    return function != nullptr;
}

}  // namespace

LoadedPhoneLibrary::LoadedPhoneLibrary()
{
    const QString programDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    const QStringList files =
        candidateFiles(qEnvironmentVariable("TINTORA_P2KAPI"), programDir);
    for (const QString &file : files) {
        if (load(file))
            return;
    }
    description_ = QStringLiteral("no phone library (%1)").arg(files.join(QStringLiteral(", ")));
}

QStringList LoadedPhoneLibrary::candidateFiles(const QString &overrideFile,
                                               const QString &programDir)
{
    if (!overrideFile.isEmpty())
        return {overrideFile};
    QStringList files;
    if (!programDir.isEmpty()) {
        const QDir dir(programDir);
        const QString file = QString::fromLatin1(kLibraryFile);
        files << dir.filePath(file);
#if !defined(Q_OS_WIN)
        // Installed, the library lives in a private folder beside bin/.
        files << QDir::cleanPath(dir.filePath(QStringLiteral("../lib/tintora/") + file));
#if defined(TINTORA_LIBRARY_ARCHITECTURE)
        files << QDir::cleanPath(dir.filePath(
            QStringLiteral("../lib/" TINTORA_LIBRARY_ARCHITECTURE "/tintora/") + file));
#endif
#endif
    }
    files << QString::fromLatin1(kLibraryName);
    return files;
}

bool LoadedPhoneLibrary::load(const QString &file)
{
    library_.setFileName(file);
    if (!library_.load())
        return false;
    const bool complete = Resolve(library_, "P2K_Init", init_) &&
                          Resolve(library_, "P2K_GetStatus", getStatus_) &&
                          Resolve(library_, "P2K_Restart", restart_) &&
                          Resolve(library_, "File_Create", fileCreate_) &&
                          Resolve(library_, "File_Read", fileRead_) &&
                          Resolve(library_, "File_Write", fileWrite_) &&
                          Resolve(library_, "File_Close", fileClose_) &&
                          Resolve(library_, "File_VolInfo", volInfo_) &&
                          Resolve(library_, "Seem_Read", seemRead_) &&
                          Resolve(library_, "Seem_Write", seemWrite_);
    if (!complete) {
        // A library that lacks a function is no phone library at all.
        library_.unload();
        return false;
    }
    loaded_ = true;
    description_ = library_.fileName();
    return true;
}

QFunctionPointer LoadedPhoneLibrary::resolve(const char *name)
{
    return loaded_ ? library_.resolve(name) : nullptr;
}

int LoadedPhoneLibrary::P2K_Init(int arg)
{
    return loaded_ ? init_(arg) : kFailure;
}

int LoadedPhoneLibrary::P2K_GetStatus()
{
    return loaded_ ? getStatus_() : 0;
}

int LoadedPhoneLibrary::P2K_Restart()
{
    return loaded_ ? restart_() : kFailure;
}

int LoadedPhoneLibrary::File_Create(const char *path, int mode)
{
    return loaded_ ? fileCreate_(path, mode) : kFailure;
}

int LoadedPhoneLibrary::File_Read(std::uint8_t *buffer, int count)
{
    return loaded_ ? fileRead_(buffer, count) : kFailure;
}

int LoadedPhoneLibrary::File_Write(const std::uint8_t *buffer, int count)
{
    return loaded_ ? fileWrite_(buffer, count) : kFailure;
}

int LoadedPhoneLibrary::File_Close()
{
    return loaded_ ? fileClose_() : kFailure;
}

int LoadedPhoneLibrary::File_VolInfo(std::uint16_t *buffer)
{
    return loaded_ ? volInfo_(buffer) : kFailure;
}

int LoadedPhoneLibrary::Seem_Read(int seem, int record, int offset, int count,
                                  std::uint8_t *buffer)
{
    return loaded_ ? seemRead_(seem, record, offset, count, buffer) : kFailure;
}

int LoadedPhoneLibrary::Seem_Write(int seem, int record, int offset, int count,
                                   std::uint8_t *buffer)
{
    return loaded_ ? seemWrite_(seem, record, offset, count, buffer) : kFailure;
}

int LoadedPhoneLibrary::linkState()
{
    if (!loaded_)
        return kNoPhoneLibrary;
    const auto state = reinterpret_cast<P2K_LinkStateFn>(resolve("P2K_LinkState"));
    return state ? state(nullptr, 0) : PhoneLibrary::linkState();
}

PhoneLibrary::FormerCopy LoadedPhoneLibrary::formerCopy()
{
    const auto former = reinterpret_cast<P2K_FormerCopyFn>(resolve("P2K_FormerCopy"));
    char text[1024] = {};
    const int told = former ? former(text, sizeof text) : 0;
    FormerCopy copy;
    if (told == 1) {
        copy.file = text;
    } else if (told == 2) {
        // The reason is one line; a folder may hold a line feed.
        const std::string refused = text;
        const std::size_t feed = refused.rfind('\n');
        copy.reason = refused.substr(feed + 1);
        if (feed != std::string::npos)
            copy.folder = refused.substr(0, feed);
    }
    return copy;
}

}  // namespace tintora

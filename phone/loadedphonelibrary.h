#pragma once

#include "p2kapiabi.h"
#include "phonelibrary.h"

#include <QLibrary>
#include <QString>
#include <QStringList>

namespace tintora {

// The phone-link library loaded at run time. TINTORA_P2KAPI names the file to
// load; without it the library is looked for beside the program (the build
// tree, Windows), then in lib/tintora/ (and its multiarch form) beside the
// program's folder, then by name on the system's library path. When none loads, or one of the ten functions
// is missing, the program runs as with no phone: the status is 0 and every
// transfer fails through its result.
class LoadedPhoneLibrary : public PhoneLibrary {
public:
    LoadedPhoneLibrary();

    // The files tried, in order, for a TINTORA_P2KAPI value and a program folder.
    static QStringList candidateFiles(const QString &overrideFile, const QString &programDir);

    bool isLoaded() const { return loaded_; }
    // The file that was loaded, or what failed to load.
    QString description() const { return description_; }
    // A function beyond the ten that some libraries have; null when absent.
    QFunctionPointer resolve(const char *name);

    int P2K_Init(int arg) override;
    int P2K_GetStatus() override;
    int P2K_Restart() override;
    int File_Create(const char *path, int mode) override;
    int File_Read(std::uint8_t *buffer, int count) override;
    int File_Write(const std::uint8_t *buffer, int count) override;
    int File_Close() override;
    int File_VolInfo(std::uint16_t *buffer) override;
    int Seem_Read(int seem, int record, int offset, int count, std::uint8_t *buffer) override;
    int Seem_Write(int seem, int record, int offset, int count, std::uint8_t *buffer) override;
    FormerCopy formerCopy() override;
    int linkState() override;

private:
    bool load(const QString &file);

    QLibrary library_;
    bool loaded_ = false;
    QString description_;
    P2K_InitFn init_ = nullptr;
    P2K_GetStatusFn getStatus_ = nullptr;
    P2K_RestartFn restart_ = nullptr;
    File_CreateFn fileCreate_ = nullptr;
    File_ReadFn fileRead_ = nullptr;
    File_WriteFn fileWrite_ = nullptr;
    File_CloseFn fileClose_ = nullptr;
    File_VolInfoFn volInfo_ = nullptr;
    Seem_ReadFn seemRead_ = nullptr;
    Seem_WriteFn seemWrite_ = nullptr;
};

}  // namespace tintora

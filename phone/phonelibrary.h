#pragma once

#include <cstdint>
#include <string>

namespace tintora {

// The ten functions of the phone-link library. Results are compared with
// fixed values: -1 is failure, Seem_Write succeeds with 0.
class PhoneLibrary {
public:
    virtual ~PhoneLibrary() = default;
    virtual int P2K_Init(int arg) = 0;
    virtual int P2K_GetStatus() = 0;
    virtual int P2K_Restart() = 0;
    virtual int File_Create(const char *path, int mode) = 0;
    virtual int File_Read(std::uint8_t *buffer, int count) = 0;
    virtual int File_Write(const std::uint8_t *buffer, int count) = 0;
    virtual int File_Close() = 0;
    virtual int File_VolInfo(std::uint16_t *buffer) = 0;  // 256 zeroed units
    virtual int Seem_Read(int seem, int record, int offset, int count, std::uint8_t *buffer) = 0;
    virtual int Seem_Write(int seem, int record, int offset, int count, std::uint8_t *buffer) = 0;

    // After a failed write, as only our USB library tells: the computer copy
    // of the record or file as it was before, when the write may have changed
    // the record or left the phone without its file or with part of it; or,
    // when the write was refused because no such copy of the file could be
    // kept, the folder it was to go to and the system's reason.
    struct FormerCopy {
        std::string file;
        std::string folder;
        std::string reason;
    };
    virtual FormerCopy formerCopy() { return {}; }

    // Why there is no phone to connect to, as our USB library's
    // P2K_LinkState tells (0 no phone, 2 .. 7 other reasons; linkreason.h).
    // Asked only while Connect is disabled, when other libraries have no phone.
    virtual int linkState() { return 0; }
};

}  // namespace tintora

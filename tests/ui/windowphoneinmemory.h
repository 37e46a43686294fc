#pragma once

#include "phone/phonelibrary.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace tintora::test {

// A phone with one scheme file and one settings record, whose status the test sets.
class PhoneInMemory final : public PhoneLibrary {
public:
    int status = 0;
    int reason = 0;  // the link state while there is no phone
    QByteArray file;
    std::uint8_t switchByte = 0;
    int restarts = 0;

    int P2K_Init(int) override { return 0; }
    int P2K_GetStatus() override { return status; }
    int linkState() override { return reason; }
    int P2K_Restart() override { return ++restarts, 0; }
    int File_Create(const char *, int) override { return status == 1 ? 1 : -1; }
    int File_Read(std::uint8_t *buffer, int count) override
    {
        const int n = std::min<int>(count, file.size());
        std::memcpy(buffer, file.constData(), n);
        return n;
    }
    int File_Write(const std::uint8_t *buffer, int count) override
    {
        file = QByteArray(reinterpret_cast<const char *>(buffer), count);
        return count;
    }
    int File_Close() override { return 0; }
    int File_VolInfo(std::uint16_t *) override { return 100000; }
    int Seem_Read(int, int, int, int, std::uint8_t *buffer) override
    {
        *buffer = switchByte;
        return status == 1 ? 1 : -1;
    }
    int Seem_Write(int, int, int, int, std::uint8_t *buffer) override
    {
        switchByte = *buffer;
        return 0;
    }
};

}  // namespace tintora::test

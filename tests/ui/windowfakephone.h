#pragma once

#include "phone/phonelibrary.h"

#include <vector>

namespace tintora::test {

// No phone attached; records what start-up asks of the library.
class FakePhone final : public PhoneLibrary {
public:
    std::vector<int> initArguments;
    int otherCalls = 0;

    int P2K_Init(int arg) override
    {
        initArguments.push_back(arg);
        return 0;
    }
    int P2K_GetStatus() override { return other(0); }
    int P2K_Restart() override { return other(0); }
    int File_Create(const char *, int) override { return other(-1); }
    int File_Read(std::uint8_t *, int) override { return other(-1); }
    int File_Write(const std::uint8_t *, int) override { return other(-1); }
    int File_Close() override { return other(0); }
    int File_VolInfo(std::uint16_t *) override { return other(0); }
    int Seem_Read(int, int, int, int, std::uint8_t *) override { return other(-1); }
    int Seem_Write(int, int, int, int, std::uint8_t *) override { return other(-1); }

private:
    int other(int result)
    {
        ++otherCalls;
        return result;
    }
};

}  // namespace tintora::test

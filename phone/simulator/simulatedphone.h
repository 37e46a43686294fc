#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

namespace p2ksim {

// A folder that plays the phone (P2KSIM_ROOT). Its control files are read at
// every call, so a test or a person can change the phone while a program runs:
//   status    what P2K_GetStatus returns (1 when missing or not a number)
//   free      what File_VolInfo returns (1000000 when missing or not a number)
//   fail      function names, one a line, that return -1 and do nothing else
//             (a failing File_Close still lets the current file go)
// With P2KSIM_ROOT unset there is no phone: status 0, every other call -1.
// With status 0 the phone is away: every transfer and P2K_Restart return -1.
// Every call with a root appends "Name arguments" to calls.log.
class SimulatedPhone {
public:
    int init(int arg);
    int getStatus();
    int restart();
    int fileCreate(const char *path, int mode);
    int fileRead(std::uint8_t *buffer, int count);
    int fileWrite(const std::uint8_t *buffer, int count);
    int fileClose();
    int volInfo(std::uint16_t *buffer);
    int seemRead(int seem, int record, int offset, int count, std::uint8_t *buffer);
    int seemWrite(int seem, int record, int offset, int count, std::uint8_t *buffer);

private:
    // Logs the call and tells whether it may go on: a root is set, the
    // function is not listed in fail and, for a transfer, the phone is there.
    std::optional<std::filesystem::path> begin(const std::string &call, const char *name,
                                               bool transfer);
    // begin for a record call; the record's file when the call may go on and
    // its bytes lie within the record.
    std::optional<std::filesystem::path> beginSeem(const char *name, int seem, int record,
                                                   int offset, int count,
                                                   const std::uint8_t *buffer);
    void closeCurrent();

    std::FILE *file_ = nullptr;
    std::filesystem::path filePath_;
    long writtenEnd_ = -1;  // a written file ends where the writing ended
};

}  // namespace p2ksim

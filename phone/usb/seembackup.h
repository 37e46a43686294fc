#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace p2kusb {

// A copy kept: the file written; or, when none could be, the folder it was
// to go to and the system's reason.
struct Backup {
    std::filesystem::path file;
    std::filesystem::path folder;
    std::string reason;
    explicit operator bool() const { return !file.empty(); }
};

// Keeps a record as it was, as seem-backups/SSSS_RRRR-YYYYMMDD-HHMMSS.seem
// under the per-user data folder, never replacing an earlier copy.
Backup SaveSeemBackup(int seem, int record, const std::vector<std::uint8_t> &bytes);

// Keeps a phone file as it was, as file-backups/NAME-YYYYMMDD-HHMMSS.EXT after
// the last part of its phone path, in the same way.
Backup SaveFileBackup(const std::string &phonePath, const std::vector<std::uint8_t> &bytes);

}  // namespace p2kusb

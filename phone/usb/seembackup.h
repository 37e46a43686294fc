#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace p2kusb {

// A per-user folder of copies, NAME under the data folder.
std::optional<std::filesystem::path> BackupFolder(const char *name);

// Keeps a record as it was, as seem-backups/SSSS_RRRR-YYYYMMDD-HHMMSS.seem,
// never replacing an earlier copy. The file written, or none.
std::optional<std::filesystem::path> SaveSeemBackup(int seem, int record,
                                                    const std::vector<std::uint8_t> &bytes);

// Keeps a phone file as it was, as file-backups/NAME-YYYYMMDD-HHMMSS.EXT after
// the last part of its phone path, in the same way.
std::optional<std::filesystem::path> SaveFileBackup(const std::string &phonePath,
                                                    const std::vector<std::uint8_t> &bytes);

}  // namespace p2kusb

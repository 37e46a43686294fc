#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace p2kusb {

// The per-user folder of record copies: $XDG_DATA_HOME/Tintora/seem-backups,
// else ~/.local/share/Tintora/seem-backups.
std::optional<std::filesystem::path> SeemBackupFolder();

// Keeps a record as it was, as SSSS_RRRR-YYYYMMDD-HHMMSS.seem, never replacing
// an earlier copy. The file written, or none.
std::optional<std::filesystem::path> SaveSeemBackup(int seem, int record,
                                                    const std::vector<std::uint8_t> &bytes);

}  // namespace p2kusb

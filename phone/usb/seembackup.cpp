#include "seembackup.h"

#include "hostsetup.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace p2kusb {
namespace fs = std::filesystem;

std::optional<fs::path> SeemBackupFolder()
{
    const auto data = DataFolder();
    if (!data)
        return std::nullopt;
    return *data / "seem-backups";
}

std::optional<fs::path> SaveSeemBackup(int seem, int record,
                                       const std::vector<std::uint8_t> &bytes)
{
    const auto folder = SeemBackupFolder();
    if (!folder)
        return std::nullopt;
    std::error_code error;
    fs::create_directories(*folder, error);
    const std::time_t now = std::time(nullptr);
    const std::tm local = LocalTime(now);
    char stem[48];
    std::snprintf(stem, sizeof stem, "%04X_%04X-%04d%02d%02d-%02d%02d%02d", seem, record,
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string name =
            std::string(stem) + (attempt > 1 ? "-" + std::to_string(attempt) : "") + ".seem";
        const fs::path file = *folder / name;
        // Never over an earlier copy; readable by its owner alone, as the
        // phone's settings are nobody else's business.
        switch (WriteNewPrivateFile(file, bytes)) {
        case NewFile::Written: return file;
        case NewFile::Exists: continue;
        case NewFile::Failed: return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace p2kusb

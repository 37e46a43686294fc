#include "seembackup.h"

#include "hostsetup.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace p2kusb {
namespace fs = std::filesystem;

namespace {

Backup SaveBackup(const char *folderName, const std::string &stem, const std::string &extension,
                  const std::vector<std::uint8_t> &bytes);

}  // namespace

Backup SaveSeemBackup(int seem, int record, const std::vector<std::uint8_t> &bytes)
{
    char stem[16];
    std::snprintf(stem, sizeof stem, "%04X_%04X", seem, record);
    return SaveBackup("seem-backups", stem, ".seem", bytes);
}

Backup SaveFileBackup(const std::string &phonePath, const std::vector<std::uint8_t> &bytes)
{
    const fs::path name = fs::path(phonePath).filename();
    return SaveBackup("file-backups", name.stem().string(), name.extension().string(), bytes);
}

namespace {

Backup SaveBackup(const char *folderName, const std::string &stem, const std::string &extension,
                  const std::vector<std::uint8_t> &bytes)
{
    const auto data = DataFolder();
    if (!data)
        return {{}, {}, "the per-user data folder is not known"};
    Backup backup{{}, *data / folderName, {}};
    std::error_code error;
    fs::create_directories(backup.folder, error);
    if (error) {
        backup.reason = error.message();
        return backup;
    }
    const std::time_t now = std::time(nullptr);
    const std::tm local = LocalTime(now);
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string name = stem + stamp +
                                 (attempt > 1 ? "-" + std::to_string(attempt) : "") + extension;
        const fs::path file = backup.folder / name;
        // Never over an earlier copy; readable by its owner alone, as the
        // phone's settings are nobody else's business.
        switch (WriteNewPrivateFile(file, bytes, error)) {
        case NewFile::Written: backup.file = file; return backup;
        case NewFile::Exists: continue;
        case NewFile::Failed: backup.reason = error.message(); return backup;
        }
    }
    backup.reason = std::make_error_code(std::errc::file_exists).message();
    return backup;
}

}  // namespace

}  // namespace p2kusb

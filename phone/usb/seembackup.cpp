#include "seembackup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace p2kusb {
namespace fs = std::filesystem;

namespace {

std::optional<fs::path> SaveBackup(const char *folderName, const std::string &stem,
                                   const std::string &extension,
                                   const std::vector<std::uint8_t> &bytes);

}  // namespace

std::optional<fs::path> BackupFolder(const char *name)
{
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    fs::path base;
    if (data && *data == '/')
        base = data;
    else if (home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        return std::nullopt;
    return base / "Tintora" / name;
}

std::optional<fs::path> SaveSeemBackup(int seem, int record,
                                       const std::vector<std::uint8_t> &bytes)
{
    char stem[16];
    std::snprintf(stem, sizeof stem, "%04X_%04X", seem, record);
    return SaveBackup("seem-backups", stem, ".seem", bytes);
}

std::optional<fs::path> SaveFileBackup(const std::string &phonePath,
                                       const std::vector<std::uint8_t> &bytes)
{
    const fs::path name = fs::path(phonePath).filename();
    return SaveBackup("file-backups", name.stem().string(), name.extension().string(), bytes);
}

namespace {

std::optional<fs::path> SaveBackup(const char *folderName, const std::string &stem,
                                   const std::string &extension,
                                   const std::vector<std::uint8_t> &bytes)
{
    const auto folder = BackupFolder(folderName);
    if (!folder)
        return std::nullopt;
    std::error_code error;
    fs::create_directories(*folder, error);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string name = stem + stamp +
                                 (attempt > 1 ? "-" + std::to_string(attempt) : "") + extension;
        const fs::path file = *folder / name;
        // Never over an earlier copy; readable by its owner alone, as the
        // phone's settings are nobody else's business.
        const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0) {
            if (errno == EEXIST)
                continue;
            return std::nullopt;
        }
        const bool written =
            ::write(out, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (::close(out) == 0 && written)
            return file;
        fs::remove(file, error);
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

}  // namespace p2kusb

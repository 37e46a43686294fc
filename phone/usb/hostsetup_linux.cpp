// Copies kept the XDG way; access to phones given by our udev rule.
#include "hostsetup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace p2kusb {
namespace {

constexpr const char *kRuleName = "70-tintora-p2k.rules";

std::string InstalledRule()
{
    for (const char *folder : {"/etc/udev/rules.d", "/run/udev/rules.d",
                               "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                               "/lib/udev/rules.d"}) {
        const std::filesystem::path rule = std::filesystem::path(folder) / kRuleName;
        std::error_code error;
        if (std::filesystem::exists(rule, error))
            return rule.string();
    }
    return {};
}

}  // namespace

std::optional<std::filesystem::path> DataFolder()
{
    const char *data = std::getenv("XDG_DATA_HOME");
    const char *home = std::getenv("HOME");
    if (data && *data == '/')
        return std::filesystem::path(data) / "Tintora";
    if (home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "Tintora";
    return std::nullopt;
}

NewFile WriteNewPrivateFile(const std::filesystem::path &file,
                            const std::vector<std::uint8_t> &bytes, std::error_code &error)
{
    const int out = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        const int failure = errno;
        error.assign(failure, std::generic_category());
        return failure == EEXIST ? NewFile::Exists : NewFile::Failed;
    }
    const ssize_t written = ::write(out, bytes.data(), bytes.size());
    // A write cut short of a regular file has run out of room.
    int failure = written < 0 ? errno : std::size_t(written) != bytes.size() ? ENOSPC : 0;
    if (::close(out) != 0 && failure == 0)
        failure = errno;
    if (failure == 0)
        return NewFile::Written;
    error.assign(failure, std::generic_category());
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return NewFile::Failed;
}

std::tm LocalTime(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

std::string PermissionSetup()
{
    const std::string rule = InstalledRule();
    return "udev rule " + std::string(kRuleName) + ": " +
           (rule.empty() ? "not installed" : "installed (" + rule + ")") + "\n";
}

std::string NoAccessAdvice()
{
    return "This user may not open the phone: install the udev rule (sudo cmake --install "
           "build, or copy resources/" + std::string(kRuleName) +
           " to /etc/udev/rules.d/), run \"sudo udevadm control --reload\" and plug the "
           "phone in again.\n";
}

std::string ModemModeAdvice()
{
    return "If it stays in modem mode, ModemManager may hold it: the udev rule keeps "
           "ModemManager away; or stop ModemManager while you work.\n";
}

}  // namespace p2kusb

// Copies kept in the local application data; phones reached through WinUSB.
#include "hostsetup.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

namespace p2kusb {

std::optional<std::filesystem::path> DataFolder()
{
    const wchar_t *local = _wgetenv(L"LOCALAPPDATA");
    if (!local || !*local)
        return std::nullopt;
    return std::filesystem::path(local) / L"Tintora";
}

NewFile WriteNewPrivateFile(const std::filesystem::path &file,
                            const std::vector<std::uint8_t> &bytes, std::error_code &error)
{
    // The user's own profile folder already keeps it from other users.
    const HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        const DWORD failure = GetLastError();
        error.assign(int(failure), std::system_category());
        return failure == ERROR_FILE_EXISTS ? NewFile::Exists : NewFile::Failed;
    }
    DWORD written = 0;
    DWORD failure = ERROR_SUCCESS;
    if (!WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        failure = GetLastError();
    else if (written != bytes.size())
        failure = ERROR_DISK_FULL;
    if (!CloseHandle(out) && failure == ERROR_SUCCESS)
        failure = GetLastError();
    if (failure == ERROR_SUCCESS)
        return NewFile::Written;
    error.assign(int(failure), std::system_category());
    DeleteFileW(file.c_str());
    return NewFile::Failed;
}

std::tm LocalTime(std::time_t when)
{
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

std::string PermissionSetup()
{
    return "driver: the phone's \"Motorola Test Command\" interface needs WinUSB\n";
}

std::string NoAccessAdvice()
{
    return "The phone cannot be opened: bind the WinUSB driver to its \"Motorola Test "
           "Command\" interface with a driver installer such as Zadig (README-Windows.txt), "
           "then plug the phone in again.\n";
}

std::string ModemModeAdvice()
{
    return "If it stays in modem mode, another program may hold its COM port: close it, "
           "or plug the phone in again.\n";
}

}  // namespace p2kusb

#pragma once

// The system's side of the phone link: where the library keeps its copies of
// the phone's data, how it writes them, and what it tells a user about
// permissions and drivers (a udev rule on Linux, WinUSB on Windows).

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace p2kusb {

// The per-user data folder of Tintora: ~/.local/share/Tintora
// ($XDG_DATA_HOME/Tintora) on Linux, %LOCALAPPDATA%\Tintora on Windows.
std::optional<std::filesystem::path> DataFolder();

enum class NewFile { Written, Exists, Failed };
// Writes a file that did not exist, readable by its owner alone; never
// replaces one. error: the system's reason when it Failed.
NewFile WriteNewPrivateFile(const std::filesystem::path &file,
                            const std::vector<std::uint8_t> &bytes, std::error_code &error);

std::tm LocalTime(std::time_t when);

// The lines of `phone probe` on what the system allows.
std::string PermissionSetup();
std::string NoAccessAdvice();
std::string ModemModeAdvice();

}  // namespace p2kusb

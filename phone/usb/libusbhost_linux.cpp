// The kernel's view of a USB device, through sysfs and the tty it made.
#include "libusbhost.h"

#include <libusb.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace p2kusb {
namespace fs = std::filesystem;
namespace {

// The kernel's name of the device in sysfs: "3-1.2".
std::string SysfsName(libusb_device *device)
{
    std::uint8_t ports[8];
    const int depth = libusb_get_port_numbers(device, ports, sizeof ports);
    std::string name = std::to_string(libusb_get_bus_number(device));
    for (int i = 0; i < depth; ++i)
        name += (i == 0 ? "-" : ".") + std::to_string(ports[i]);
    return name;
}

}  // namespace

std::string SystemInterfaceName(libusb_device *device, int configuration, int interface)
{
    std::ifstream in("/sys/bus/usb/devices/" + SysfsName(device) + ":" +
                     std::to_string(configuration) + "." + std::to_string(interface) +
                     "/interface");
    std::string line;
    std::getline(in, line);
    return line;
}

UsbStatus WriteModemPort(libusb_device *device, std::string_view bytes)
{
    const std::string prefix = SysfsName(device) + ":";
    // The kernel names the serial device in a "tty" folder below the interface.
    std::error_code error;
    for (const auto &entry : fs::directory_iterator("/sys/bus/usb/devices", error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        for (const auto &tty : fs::directory_iterator(entry.path() / "tty", error)) {
            const std::string node = "/dev/" + tty.path().filename().string();
            const int fd = ::open(node.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
            if (fd < 0)
                return errno == EACCES ? UsbStatus::Access : UsbStatus::Error;
            termios settings{};
            if (tcgetattr(fd, &settings) == 0) {
                cfmakeraw(&settings);
                cfsetspeed(&settings, B115200);
                tcsetattr(fd, TCSANOW, &settings);
            }
            const bool written =
                ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
            ::close(fd);
            return written ? UsbStatus::Ok : UsbStatus::Error;
        }
    }
    return UsbStatus::NoDevice;
}

}  // namespace p2kusb

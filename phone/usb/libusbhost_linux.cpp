// The kernel's view of a USB device, through sysfs and the tty it made.
#include "libusbhost.h"

#include <libusb.h>

#include <fcntl.h>
#include <poll.h>
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

class TtyPort final : public ModemPort {
public:
    explicit TtyPort(int fd) : fd_(fd) {}
    ~TtyPort() override { ::close(fd_); }

    UsbStatus write(std::string_view bytes) override
    {
        return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())
                   ? UsbStatus::Ok
                   : UsbStatus::Error;
    }

    UsbResult read(std::uint8_t *data, int length, unsigned timeoutMs) override
    {
        pollfd ready{fd_, POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(timeoutMs));
        if (polled == 0)
            return {UsbStatus::Timeout, 0};
        const ssize_t got = polled > 0 ? ::read(fd_, data, static_cast<std::size_t>(length)) : -1;
        if (got > 0)
            return {UsbStatus::Ok, static_cast<int>(got)};
        // The phone that switches takes its serial device with it.
        return {got == 0 || errno == EIO || errno == ENODEV ? UsbStatus::NoDevice
                                                            : UsbStatus::Error,
                0};
    }

private:
    int fd_;
};

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

std::unique_ptr<ModemPort> OpenModemPort(libusb_device *device, UsbStatus &status)
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
            const int fd = ::open(node.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) {
                status = errno == EACCES ? UsbStatus::Access : UsbStatus::Error;
                return nullptr;
            }
            termios settings{};
            if (tcgetattr(fd, &settings) == 0) {
                cfmakeraw(&settings);
                cfsetspeed(&settings, B115200);
                tcsetattr(fd, TCSANOW, &settings);
            }
            status = UsbStatus::Ok;
            return std::make_unique<TtyPort>(fd);
        }
    }
    status = UsbStatus::NoDevice;
    return nullptr;
}

}  // namespace p2kusb

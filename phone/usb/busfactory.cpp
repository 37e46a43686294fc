#include "busfactory.h"

#include "libusbbus.h"

#include <dlfcn.h>

#include <cstdlib>

namespace p2kusb {
namespace {

class EmptyBus final : public UsbBus {
public:
    std::vector<std::string> list(std::uint16_t) override { return {}; }
    std::optional<UsbDevice> describe(const std::string &) override { return std::nullopt; }
    std::unique_ptr<UsbHandle> open(const std::string &, UsbStatus &status) override
    {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    UsbStatus writeModemTty(const std::string &, std::string_view) override
    {
        return UsbStatus::NoDevice;
    }
};

UsbBus *InjectedBus(const char *file)
{
    // Kept loaded for the life of the process, like the bus it serves.
    void *object = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    const auto make =
        object ? reinterpret_cast<P2kUsbBusFn>(dlsym(object, "P2kUsbBus")) : nullptr;
    UsbBus *bus = make ? make() : nullptr;
    if (bus)
        return bus;
    static EmptyBus empty;
    return &empty;
}

}  // namespace

UsbBus &TheBus()
{
    static UsbBus *const bus = [] {
        const char *injected = std::getenv("TINTORA_P2KAPI_BUS");
        if (injected && *injected)
            return InjectedBus(injected);
        static LibusbBus real;
        return static_cast<UsbBus *>(&real);
    }();
    return *bus;
}

}  // namespace p2kusb

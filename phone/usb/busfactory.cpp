#include "busfactory.h"

#include "libusbbus.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

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
    std::unique_ptr<ModemPort> openModemPort(const std::string &, UsbStatus &status) override
    {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
};

UsbBus *InjectedBus(const char *file)
{
    // Kept loaded for the life of the process, like the bus it serves.
#if defined(_WIN32)
    const HMODULE object = LoadLibraryA(file);
    const auto make = object ? reinterpret_cast<P2kUsbBusFn>(
                                   reinterpret_cast<void *>(GetProcAddress(object, "P2kUsbBus")))
                             : nullptr;
#else
    void *object = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    const auto make =
        object ? reinterpret_cast<P2kUsbBusFn>(dlsym(object, "P2kUsbBus")) : nullptr;
#endif
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

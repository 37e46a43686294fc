#include "libusbbus.h"

#include "libusbhost.h"

#include <libusb.h>

#include <cstdio>
#include <set>

namespace p2kusb {
namespace {

UsbStatus FromLibusb(int error)
{
    switch (error) {
    case LIBUSB_SUCCESS: return UsbStatus::Ok;
    case LIBUSB_ERROR_TIMEOUT: return UsbStatus::Timeout;
    case LIBUSB_ERROR_PIPE: return UsbStatus::Stall;
    case LIBUSB_ERROR_NO_DEVICE: return UsbStatus::NoDevice;
    case LIBUSB_ERROR_ACCESS: return UsbStatus::Access;
    case LIBUSB_ERROR_BUSY: return UsbStatus::Busy;
    default: return UsbStatus::Error;
    }
}

std::string IdOf(libusb_device *device)
{
    char id[16];
    std::snprintf(id, sizeof id, "%03u:%03u", libusb_get_bus_number(device),
                  libusb_get_device_address(device));
    return id;
}

class LibusbHandle final : public UsbHandle {
public:
    explicit LibusbHandle(libusb_device_handle *handle) : handle_(handle) {}
    ~LibusbHandle() override { libusb_close(handle_); }

    UsbResult control(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                      std::uint16_t index, std::uint8_t *data, std::uint16_t length,
                      unsigned timeoutMs) override
    {
        const int done = libusb_control_transfer(handle_, requestType, request, value, index,
                                                 data, length, timeoutMs);
        return done < 0 ? UsbResult{FromLibusb(done), 0} : UsbResult{UsbStatus::Ok, done};
    }

    UsbResult bulk(std::uint8_t endpoint, std::uint8_t *data, int length,
                   unsigned timeoutMs) override
    {
        int done = 0;
        const int error = libusb_bulk_transfer(handle_, endpoint, data, length, &done, timeoutMs);
        return {FromLibusb(error), done};
    }

    UsbStatus claim(int interface, bool detach) override
    {
        if (detach && libusb_kernel_driver_active(handle_, interface) == 1) {
            const int error = libusb_detach_kernel_driver(handle_, interface);
            if (error != LIBUSB_SUCCESS)
                return FromLibusb(error);
            detached_.insert(interface);
        }
        const int error = libusb_claim_interface(handle_, interface);
        if (error != LIBUSB_SUCCESS)
            giveBack(interface);
        return FromLibusb(error);
    }

    void release(int interface) override
    {
        libusb_release_interface(handle_, interface);
        giveBack(interface);
    }
    void clearHalt(std::uint8_t endpoint) override { libusb_clear_halt(handle_, endpoint); }

private:
    // A modem left without its driver would have no serial device until replugged.
    void giveBack(int interface)
    {
        if (detached_.erase(interface))
            libusb_attach_kernel_driver(handle_, interface);
    }

    libusb_device_handle *handle_;
    std::set<int> detached_;
};

}  // namespace

LibusbBus::LibusbBus()
{
    if (libusb_init(&context_) != LIBUSB_SUCCESS)
        context_ = nullptr;
}

LibusbBus::~LibusbBus()
{
    if (context_)
        libusb_exit(context_);
}

std::vector<std::string> LibusbBus::list(std::uint16_t vendor)
{
    std::vector<std::string> ids;
    libusb_device **devices = nullptr;
    if (!context_ || libusb_get_device_list(context_, &devices) < 0)
        return ids;
    for (libusb_device **device = devices; *device; ++device) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(*device, &descriptor) == LIBUSB_SUCCESS &&
            descriptor.idVendor == vendor)
            ids.push_back(IdOf(*device));
    }
    libusb_free_device_list(devices, 1);
    return ids;
}

libusb_device *LibusbBus::find(const std::string &id)
{
    libusb_device **devices = nullptr;
    if (!context_ || libusb_get_device_list(context_, &devices) < 0)
        return nullptr;
    libusb_device *found = nullptr;
    for (libusb_device **device = devices; *device && !found; ++device) {
        if (IdOf(*device) == id)
            found = libusb_ref_device(*device);
    }
    libusb_free_device_list(devices, 1);
    return found;
}

std::optional<UsbDevice> LibusbBus::describe(const std::string &id)
{
    libusb_device *device = find(id);
    if (!device)
        return std::nullopt;
    UsbDevice result;
    result.id = id;
    result.location = "bus " + std::to_string(libusb_get_bus_number(device)) + " address " +
                      std::to_string(libusb_get_device_address(device));
    libusb_device_descriptor descriptor{};
    libusb_get_device_descriptor(device, &descriptor);
    result.vendor = descriptor.idVendor;
    result.product = descriptor.idProduct;
    libusb_config_descriptor *config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS) {
        libusb_unref_device(device);
        return result;
    }
    libusb_device_handle *handle = nullptr;
    bool triedOpen = false;
    for (int i = 0; i < config->bNumInterfaces; ++i) {
        for (int a = 0; a < config->interface[i].num_altsetting; ++a) {
            const libusb_interface_descriptor &alt = config->interface[i].altsetting[a];
            UsbInterface interface;
            interface.number = alt.bInterfaceNumber;
            for (int e = 0; e < alt.bNumEndpoints; ++e) {
                const libusb_endpoint_descriptor &endpoint = alt.endpoint[e];
                interface.endpoints.push_back(
                    {endpoint.bEndpointAddress,
                     (endpoint.bmAttributes & 0x03) == LIBUSB_TRANSFER_TYPE_BULK});
            }
            if (a == 0)
                interface.name = SystemInterfaceName(device, config->bConfigurationValue,
                                                     alt.bInterfaceNumber);
            if (interface.name.empty() && alt.iInterface) {
                if (!triedOpen) {
                    triedOpen = true;
                    result.access = FromLibusb(libusb_open(device, &handle));
                }
                unsigned char text[256];
                if (handle && libusb_get_string_descriptor_ascii(handle, alt.iInterface, text,
                                                                 sizeof text) > 0)
                    interface.name = reinterpret_cast<const char *>(text);
            }
            result.interfaces.push_back(std::move(interface));
        }
    }
    if (handle)
        libusb_close(handle);
    libusb_free_config_descriptor(config);
    libusb_unref_device(device);
    return result;
}

std::unique_ptr<UsbHandle> LibusbBus::open(const std::string &id, UsbStatus &status)
{
    libusb_device *device = find(id);
    if (!device) {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    libusb_device_handle *handle = nullptr;
    status = FromLibusb(libusb_open(device, &handle));
    libusb_unref_device(device);
    if (status != UsbStatus::Ok)
        return nullptr;
    return std::make_unique<LibusbHandle>(handle);
}

std::unique_ptr<ModemPort> LibusbBus::openModemPort(const std::string &id, UsbStatus &status)
{
    libusb_device *device = find(id);
    if (!device) {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    std::unique_ptr<ModemPort> port = OpenModemPort(device, status);
    libusb_unref_device(device);
    return port;
}

}  // namespace p2kusb

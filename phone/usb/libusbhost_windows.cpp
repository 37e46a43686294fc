// Windows' view of a USB device, through the device installer (SetupAPI):
// the interface strings the bus reported, and the COM port of the modem.
#include "libusbhost.h"

#include <libusb.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// windows.h first: the ones below take its types; initguid.h makes the keys
// and class ids defined here rather than looked for in a library.
#include <initguid.h>
#include <devguid.h>
#include <devpkey.h>
#include <setupapi.h>

#include <cstdio>
#include <cwctype>

namespace p2kusb {
namespace {

// "VID_22B8&PID_4902", as device instance and hardware ids spell it.
std::wstring VendorProduct(libusb_device *device)
{
    libusb_device_descriptor descriptor{};
    libusb_get_device_descriptor(device, &descriptor);
    wchar_t text[32];
    std::swprintf(text, 32, L"VID_%04X&PID_%04X", descriptor.idVendor, descriptor.idProduct);
    return text;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t &c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// Calls visit(set, data) for each present device of the set; stops when it returns true.
template <typename Visit>
bool ForEachDevice(HDEVINFO set, Visit visit)
{
    if (set == INVALID_HANDLE_VALUE)
        return false;
    bool done = false;
    SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD i = 0; !done && SetupDiEnumDeviceInfo(set, i, &data); ++i)
        done = visit(set, data);
    SetupDiDestroyDeviceInfoList(set);
    return done;
}

std::wstring InstanceId(HDEVINFO set, SP_DEVINFO_DATA &data)
{
    wchar_t id[512];
    if (!SetupDiGetDeviceInstanceIdW(set, &data, id, 512, nullptr))
        return {};
    return Upper(id);
}

class ComPort final : public ModemPort {
public:
    explicit ComPort(HANDLE file) : file_(file) {}
    ~ComPort() override { CloseHandle(file_); }

    UsbStatus write(std::string_view bytes) override
    {
        COMMTIMEOUTS timeouts{};
        timeouts.WriteTotalTimeoutConstant = 1000;
        SetCommTimeouts(file_, &timeouts);
        DWORD written = 0;
        return WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) &&
                       written == bytes.size()
                   ? UsbStatus::Ok
                   : UsbStatus::Error;
    }

    UsbResult read(std::uint8_t *data, int length, unsigned timeoutMs) override
    {
        // Returns with the first bytes, or with none after timeoutMs.
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = timeoutMs;
        SetCommTimeouts(file_, &timeouts);
        DWORD got = 0;
        // usbser fails a read in several ways once the switched phone has left;
        // none of them leaves the port of any use.
        if (!ReadFile(file_, data, static_cast<DWORD>(length), &got, nullptr))
            return {UsbStatus::NoDevice, 0};
        return got > 0 ? UsbResult{UsbStatus::Ok, static_cast<int>(got)}
                       : UsbResult{UsbStatus::Timeout, 0};
    }

private:
    HANDLE file_;
};

}  // namespace

std::string SystemInterfaceName(libusb_device *device, int, int interface)
{
    // A composite device's interface is a device of its own:
    // USB\VID_22B8&PID_4902&MI_08\..., whose bus-reported description is the
    // interface string, kept whatever driver the interface has, or none.
    wchar_t wanted[64];
    std::swprintf(wanted, 64, L"USB\\%ls&MI_%02X\\", VendorProduct(device).c_str(), interface);
    std::string name;
    ForEachDevice(SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT),
                  [&](HDEVINFO set, SP_DEVINFO_DATA &data) {
                      if (InstanceId(set, data).rfind(wanted, 0) != 0)
                          return false;
                      wchar_t text[256] = {};
                      DEVPROPTYPE type = 0;
                      if (!SetupDiGetDevicePropertyW(set, &data,
                                                     &DEVPKEY_Device_BusReportedDeviceDesc, &type,
                                                     reinterpret_cast<PBYTE>(text),
                                                     sizeof text - sizeof(wchar_t), nullptr, 0))
                          return false;
                      for (const wchar_t *c = text; *c; ++c)
                          name += *c < 0x80 ? static_cast<char>(*c) : '?';
                      return true;
                  });
    return name;
}

std::unique_ptr<ModemPort> OpenModemPort(libusb_device *device, UsbStatus &status)
{
    const std::wstring wanted = L"USB\\" + VendorProduct(device);
    std::wstring port;
    ForEachDevice(SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT),
                  [&](HDEVINFO set, SP_DEVINFO_DATA &data) {
                      if (InstanceId(set, data).rfind(wanted, 0) != 0)
                          return false;
                      HKEY key = SetupDiOpenDevRegKey(set, &data, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                                      KEY_READ);
                      if (key == INVALID_HANDLE_VALUE)
                          return false;
                      wchar_t name[64] = {};
                      DWORD size = sizeof name - sizeof(wchar_t);
                      DWORD type = 0;
                      if (RegQueryValueExW(key, L"PortName", nullptr, &type,
                                           reinterpret_cast<LPBYTE>(name), &size) == ERROR_SUCCESS &&
                          type == REG_SZ)
                          port = name;
                      RegCloseKey(key);
                      return !port.empty();
                  });
    if (port.empty()) {
        status = UsbStatus::NoDevice;
        return nullptr;
    }
    const HANDLE file = CreateFileW((L"\\\\.\\" + port).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        status = GetLastError() == ERROR_ACCESS_DENIED ? UsbStatus::Access : UsbStatus::Error;
        return nullptr;
    }
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (GetCommState(file, &settings)) {
        settings.BaudRate = CBR_115200;
        settings.ByteSize = 8;
        settings.Parity = NOPARITY;
        settings.StopBits = ONESTOPBIT;
        settings.fBinary = TRUE;
        SetCommState(file, &settings);
    }
    status = UsbStatus::Ok;
    return std::make_unique<ComPort>(file);
}

}  // namespace p2kusb

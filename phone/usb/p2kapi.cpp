// The ten functions of the phone-link library, and three more of our own, over
// a P2K phone on USB.

#include "busfactory.h"
#include "p2kphone.h"
#include "phone/p2kapiabi.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#if defined(_WIN32)
#define P2KAPI_EXPORT extern "C" __declspec(dllexport)
#else
#define P2KAPI_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

p2kusb::P2kPhone &Phone()
{
    static p2kusb::P2kPhone phone(p2kusb::TheBus());
    return phone;
}

void CopyText(const std::string &text, char *buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

P2KAPI_EXPORT int P2K_Init(int) { return Phone().init(); }
P2KAPI_EXPORT int P2K_GetStatus() { return Phone().status(); }
P2KAPI_EXPORT int P2K_Restart() { return Phone().restart(); }
P2KAPI_EXPORT int File_Create(const char *path, int mode) { return Phone().fileCreate(path, mode); }
P2KAPI_EXPORT int File_Read(std::uint8_t *buffer, int count)
{
    return Phone().fileRead(buffer, count);
}
P2KAPI_EXPORT int File_Write(const std::uint8_t *buffer, int count)
{
    return Phone().fileWrite(buffer, count);
}
P2KAPI_EXPORT int File_Close() { return Phone().fileClose(); }
P2KAPI_EXPORT int File_VolInfo(std::uint16_t *buffer) { return Phone().volInfo(buffer); }
P2KAPI_EXPORT int Seem_Read(int seem, int record, int offset, int count, std::uint8_t *buffer)
{
    return Phone().seemRead(seem, record, offset, count, buffer);
}
P2KAPI_EXPORT int Seem_Write(int seem, int record, int offset, int count, std::uint8_t *buffer)
{
    return Phone().seemWrite(seem, record, offset, count, buffer);
}

P2KAPI_EXPORT int P2K_LinkState(char *text, int size)
{
    std::string line;
    const auto state = Phone().state(line);
    CopyText(line, text, size);
    return static_cast<int>(state);
}

P2KAPI_EXPORT int P2K_Probe(char *text, int size)
{
    bool answered = false;
    CopyText(Phone().probe(answered), text, size);
    return answered ? 1 : 0;
}

P2KAPI_EXPORT int P2K_FormerCopy(char *text, int size)
{
    const std::string &former = Phone().formerCopy();
    const std::string &refused = Phone().copyRefused();
    CopyText(former.empty() ? refused : former, text, size);
    return !former.empty() ? 1 : !refused.empty() ? 2 : 0;
}

#include "phone/p2kapicheck.h"

static_assert(std::is_same_v<decltype(&P2K_LinkState), P2K_LinkStateFn>);
static_assert(std::is_same_v<decltype(&P2K_Probe), P2K_ProbeFn>);
static_assert(std::is_same_v<decltype(&P2K_FormerCopy), P2K_FormerCopyFn>);

// The ten exported functions of the phone-link library, served by a folder.

#include "phone/p2kapiabi.h"
#include "simulatedphone.h"

#if defined(_WIN32)
#define P2KSIM_EXPORT extern "C" __declspec(dllexport)
#else
#define P2KSIM_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

p2ksim::SimulatedPhone &Phone()
{
    static p2ksim::SimulatedPhone phone;
    return phone;
}

}  // namespace

P2KSIM_EXPORT int P2KAPI_CALL P2K_Init(int arg) { return Phone().init(arg); }
P2KSIM_EXPORT int P2KAPI_CALL P2K_GetStatus() { return Phone().getStatus(); }
P2KSIM_EXPORT int P2KAPI_CALL P2K_Restart() { return Phone().restart(); }
P2KSIM_EXPORT int P2KAPI_CALL File_Create(const char *path, int mode)
{
    return Phone().fileCreate(path, mode);
}
P2KSIM_EXPORT int P2KAPI_CALL File_Read(std::uint8_t *buffer, int count)
{
    return Phone().fileRead(buffer, count);
}
P2KSIM_EXPORT int P2KAPI_CALL File_Write(const std::uint8_t *buffer, int count)
{
    return Phone().fileWrite(buffer, count);
}
P2KSIM_EXPORT int P2KAPI_CALL File_Close() { return Phone().fileClose(); }
P2KSIM_EXPORT int P2KAPI_CALL File_VolInfo(std::uint16_t *buffer)
{
    return Phone().volInfo(buffer);
}
P2KSIM_EXPORT int P2KAPI_CALL Seem_Read(int seem, int record, int offset, int count,
                                        std::uint8_t *buffer)
{
    return Phone().seemRead(seem, record, offset, count, buffer);
}
P2KSIM_EXPORT int P2KAPI_CALL Seem_Write(int seem, int record, int offset, int count,
                                         std::uint8_t *buffer)
{
    return Phone().seemWrite(seem, record, offset, count, buffer);
}

#include "phone/p2kapicheck.h"

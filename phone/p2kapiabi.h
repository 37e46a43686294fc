#pragma once

// The calling side of the phone-link library, shared by the binding and by our
// simulator so both agree on every signature. Plain C++ on purpose: the
// simulator is built without Qt.

#include <cstdint>

#if defined(_WIN32)
#define P2KAPI_CALL __stdcall
#else
#define P2KAPI_CALL
#endif

extern "C" {
using P2K_InitFn = int(P2KAPI_CALL *)(int arg);
using P2K_GetStatusFn = int(P2KAPI_CALL *)();
using P2K_RestartFn = int(P2KAPI_CALL *)();
using File_CreateFn = int(P2KAPI_CALL *)(const char *path, int mode);
using File_ReadFn = int(P2KAPI_CALL *)(std::uint8_t *buffer, int count);
using File_WriteFn = int(P2KAPI_CALL *)(const std::uint8_t *buffer, int count);
using File_CloseFn = int(P2KAPI_CALL *)();
using File_VolInfoFn = int(P2KAPI_CALL *)(std::uint16_t *buffer);
using Seem_ReadFn = int(P2KAPI_CALL *)(int seem, int record, int offset, int count,
                                       std::uint8_t *buffer);
using Seem_WriteFn = int(P2KAPI_CALL *)(int seem, int record, int offset, int count,
                                        std::uint8_t *buffer);
}

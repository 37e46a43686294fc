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

// Three more of our own USB library; other libraries lack them.
// P2K_LinkState: what the link is doing (0 no phone, 1 ready, 2 switching from
// modem mode, 3 restarting, 4 no permission, 5 mass storage, 6 unknown, 7 a
// phone in modem mode that did not switch) and a line saying it. P2K_Probe: a report on every Motorola device; 1 when a phone
// in command mode answered. P2K_FormerCopy: 1 when the last failed write may
// have changed a seem record or left the phone without its file or with part
// of it, and the computer file that keeps it as it was; 2 when the last file
// write was refused because the file as it was could not be kept on the
// computer first, and the folder of the copies, a line feed, and the system's
// reason (the folder is empty when there is none). 0 otherwise.
// Seem_Write returns -2 when the record may have changed.
extern "C" {
using P2K_LinkStateFn = int(P2KAPI_CALL *)(char *text, int size);
using P2K_ProbeFn = int(P2KAPI_CALL *)(char *text, int size);
using P2K_FormerCopyFn = int(P2KAPI_CALL *)(char *text, int size);
}

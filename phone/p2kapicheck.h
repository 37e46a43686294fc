#pragma once

// Included at the end of a library that defines the ten functions: the binding
// resolves them through the pointer types of p2kapiabi.h, so they must agree.

#include "phone/p2kapiabi.h"

#include <type_traits>

static_assert(std::is_same_v<decltype(&P2K_Init), P2K_InitFn>);
static_assert(std::is_same_v<decltype(&P2K_GetStatus), P2K_GetStatusFn>);
static_assert(std::is_same_v<decltype(&P2K_Restart), P2K_RestartFn>);
static_assert(std::is_same_v<decltype(&File_Create), File_CreateFn>);
static_assert(std::is_same_v<decltype(&File_Read), File_ReadFn>);
static_assert(std::is_same_v<decltype(&File_Write), File_WriteFn>);
static_assert(std::is_same_v<decltype(&File_Close), File_CloseFn>);
static_assert(std::is_same_v<decltype(&File_VolInfo), File_VolInfoFn>);
static_assert(std::is_same_v<decltype(&Seem_Read), Seem_ReadFn>);
static_assert(std::is_same_v<decltype(&Seem_Write), Seem_WriteFn>);

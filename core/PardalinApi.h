// Export switch of the library's interface.
#pragma once

// The stand-in's base header brings winsock2.h in before windows.h, which every later header relies on.
#include <afx.h>

#if defined(PARDALIN_STATIC)
#define PARDALIN_API
#elif defined(PARDALIN_BUILD)
#define PARDALIN_API __declspec(dllexport)
#else
#define PARDALIN_API __declspec(dllimport)
#endif

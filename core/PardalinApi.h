/// \file
/// The export switch of the library's interface, PARDALIN_API.
///
/// \code{.cpp}
/// class PARDALIN_API VRect { ... };         // exported from the DLL, imported by the host
/// PARDALIN_API bool ToInt(const wchar_t* text, int& value);
/// \endcode
#pragma once

// The stand-in's base header brings winsock2.h in before windows.h, which every later header relies on.
#include <afx.h>

/// \def PARDALIN_API
/// Marks a class or function of the library's interface: `__declspec(dllexport)` while the library itself
/// is built (PARDALIN_BUILD defined), nothing for a static build (PARDALIN_STATIC defined), and
/// `__declspec(dllimport)` for a host that uses the DLL.
#if defined(PARDALIN_STATIC)
#define PARDALIN_API
#elif defined(PARDALIN_BUILD)
#define PARDALIN_API __declspec(dllexport)
#else
#define PARDALIN_API __declspec(dllimport)
#endif

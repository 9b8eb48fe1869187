// Export switch of the library's interface.
#pragma once

#ifdef PARDALIN_BUILD
#define PARDALIN_API __declspec(dllexport)
#else
#define PARDALIN_API __declspec(dllimport)
#endif

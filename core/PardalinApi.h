// Export switch of the library's interface.
#pragma once

#if defined(PARDALIN_STATIC)
#define PARDALIN_API
#elif defined(PARDALIN_BUILD)
#define PARDALIN_API __declspec(dllexport)
#else
#define PARDALIN_API __declspec(dllimport)
#endif

#pragma once

// Including SDKDDKVer.h defines the highest available Windows platform. To build for an earlier platform,
// include WinSDKVer.h and set _WIN32_WINNT to that platform before including SDKDDKVer.h. The SDK's
// targets already set _WIN32_WINNT (Windows 7). The toolchain's header is named in lower case.
#include <sdkddkver.h>

// FailureCode: the error of the CryptoAPI call that just failed, for a VReportMessageParams.
//
//     if (!CryptGenRandom(provider, size, bytes))
//         err = VReportMessageParams(pardalin::detail::FailureCode());
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
// Some CryptoAPI failures leave the last error at 0; a failure must never read as success, so those
// report E_FAIL.
inline DWORD FailureCode()
{
    const DWORD error = GetLastError();
    return error != 0 ? error : static_cast<DWORD>(E_FAIL);
}
} // namespace pardalin::detail

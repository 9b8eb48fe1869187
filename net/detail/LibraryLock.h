// The process-wide lock of the library, made when the library loads and released when it unloads.
#pragma once

#include "net/ISynchObject.h"

namespace pardalin::detail
{
// Null only before the library's static initialisation and after its termination.
ISynchObject* LibraryLock();
} // namespace pardalin::detail

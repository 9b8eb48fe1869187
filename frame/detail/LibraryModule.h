// Set once by the DLL's entry when it attaches.
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
void SetLibraryModule(HINSTANCE module);
} // namespace pardalin::detail

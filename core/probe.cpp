#include "core/PardalinApi.h"
extern "C" PARDALIN_API int PardalinProbe() { return 42; }

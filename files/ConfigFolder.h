// Validation of a configuration folder: it is created if need be and must take a new file.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

// On success folder becomes its full path. On failure params holds 0xE133000B (access denied) or 0xE133000C
// (any other reason) with the folder as its insert.
PARDALIN_API bool IsValidConfigFolder(VUnicodeString& folder, VReportMessageParams& params);

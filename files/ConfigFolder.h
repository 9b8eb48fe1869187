// Validation of a configuration folder: it is created if need be and must take a new file.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

// On success folder becomes its full path. On failure params holds MSG_FOLDER_ACCESS_DENIED or MSG_FOLDER_NOT_VALID
// (any other reason) with the folder as its insert.
PARDALIN_API bool IsValidConfigFolder(VUnicodeString& folder, VReportMessageParams& params);

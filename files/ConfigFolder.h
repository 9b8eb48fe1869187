/// \file
/// IsValidConfigFolder: the validation of a configuration folder. It is created if need be and must take a
/// new file.
///
/// \code{.cpp}
/// VUnicodeString folder = typedFolder;
/// VReportMessageParams params;
/// if (!IsValidConfigFolder(folder, params))
///     return VMessageBox(&params, MB_OK, nullptr);
/// UseConfigFolder(folder); // its full path
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

/// Creates the folder (with any missing parents) when it does not exist and proves that it takes a new file
/// by creating a temporary one, deleted at once. On success folder becomes its full path. On failure params
/// holds MSG_FOLDER_ACCESS_DENIED or MSG_FOLDER_NOT_VALID (any other reason, an empty folder among them)
/// with the folder as its insert.
PARDALIN_API bool IsValidConfigFolder(VUnicodeString& folder, VReportMessageParams& params);

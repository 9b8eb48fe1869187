// Path templates typed by users: environment variables, the portable-device variables and date, time and
// name placeholders; and the folder helpers that configuration-folder validation stands on.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/IReportMessageParams.h"

class VSecurityDescriptor;

namespace pardalin::detail
{
// The expansion, or an empty string with the error in params.
VUnicodeString ExpandPathTemplate(const VUnicodeString& text, IReportMessageParams& params,
                                  const wchar_t* valueH, const wchar_t* valueS);
// The same, discarding errors.
VUnicodeString ExpandPathTemplate(const VUnicodeString& text, const wchar_t* valueH, const wchar_t* valueS);
// Whether the quiet expansion of text names path, ignoring case.
bool ExpandsTo(const wchar_t* text, const wchar_t* path, const wchar_t* valueH, const wchar_t* valueS);

VUnicodeString ExpandEnvironment(const wchar_t* text);
// True when U3_APP_DATA_PATH is set; decided on the first call for the life of the process.
bool IsPortableDevicePlatform();
VUnicodeString ExpandPortableDeviceVariables(VUnicodeString text);

// Creates the folder and any missing parents.
bool EnsureDirectory(const wchar_t* path, VSecurityDescriptor* descriptor);
// One folder; the root of an existing drive reports ERROR_ALREADY_EXISTS rather than access denied.
bool CreateFolder(const wchar_t* path, VSecurityDescriptor* descriptor);
// The path itself or its nearest existing ancestor; empty when nothing on the way exists.
VUnicodeString NearestExistingFolder(const wchar_t* path);
// Whole-name match against the reserved device names, ignoring case.
bool IsReservedDeviceName(const wchar_t* name);
} // namespace pardalin::detail

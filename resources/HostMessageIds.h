// Ids of facility 0x104: messages of the host application's table that the library produces (raises,
// returns or reports). Their texts live in the host executable, where message lookup finds them. The
// library's own ids are generated with its table, in PardalinMessages.h.
#pragma once

// A language exception left a thread procedure; raised non-continuable with the original exception and
// context records as its two parameters.
#define MSG_HOST_ESCAPED_LANGUAGE_EXCEPTION ((DWORD)0xE104003BL)
// A string was indexed out of its range; raised as a structured exception.
#define MSG_HOST_STRING_INDEX ((DWORD)0xE104004AL)
// A path template names a placeholder that does not exist; one insert, the placeholder.
#define MSG_HOST_UNKNOWN_PLACEHOLDER ((DWORD)0xE1040065L)
// A path template ends in a lone '%'.
#define MSG_HOST_LONE_PERCENT ((DWORD)0xE1040066L)
// A PFX file is larger than 4 GiB - 1 bytes.
#define MSG_HOST_PFX_TOO_LARGE ((DWORD)0xE104004EL)
// A certificate could not be loaded; inserts: the path, the single-line text of the reason.
#define MSG_HOST_CERTIFICATE_NOT_LOADED ((DWORD)0xE104004FL)
// A certificate was loaded; insert: the path.
#define MSG_HOST_CERTIFICATE_LOADED ((DWORD)0x61040050L)
// A certificate path does not load.
#define MSG_HOST_CERTIFICATE_PATH_INVALID ((DWORD)0xE1040074L)

#include "files/ConfigFolder.h"

#include "files/VFile.h"
#include "files/detail/PathExpansion.h"
#include "PardalinMessages.h"

bool IsValidConfigFolder(VUnicodeString& folder, VReportMessageParams& params)
{
    if (folder.IsEmpty())
    {
        // Nothing to create: report it as an invalid folder rather than trusting a stale error code.
        SetLastError(ERROR_INVALID_NAME);
    }
    else if (pardalin::detail::EnsureDirectory(folder.GetString(), nullptr))
    {
        // A probe file proves the folder takes new files; closing it deletes it again.
        VFile probe;
        probe.SetDeleteOnClose();
        VUnicodeString probePath;
        if (probe.CreateTempFile(folder.GetString(), L"TEST", probePath))
        {
            wchar_t fullPath[MAX_PATH];
            const DWORD length = GetFullPathNameW(folder.GetString(), MAX_PATH, fullPath, nullptr);
            if (length > 0 && length < MAX_PATH)
                folder = fullPath;
            return true;
        }
    }

    const DWORD error = GetLastError();
    if (error == 0)
        return true;
    params.SetMessageId(error == ERROR_ACCESS_DENIED ? MSG_FOLDER_ACCESS_DENIED : MSG_FOLDER_NOT_VALID);
    params.AddInsert(folder.GetString());
    return false;
}

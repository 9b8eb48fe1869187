// VFileInformation: whether a path names an existing file or folder, and its file information.
//
//     VFileInformation info(L"C:\\certs\\host.crt");
//     if (info.Exists())
//         ... info.GetInformation().nFileSizeLow ...
#pragma once

#include "core/PardalinApi.h"

class PARDALIN_API VFileInformation
{
public:
    // Construction
    // Opens the path without access rights, sharing everything (folders too), reads its information and
    // closes it at once.
    explicit VFileInformation(const wchar_t* path);

    // Attributes
    bool Exists() const { return !m_bFailed; }
    // Zero when the path does not exist.
    const BY_HANDLE_FILE_INFORMATION& GetInformation() const { return m_information; }

private:
    BY_HANDLE_FILE_INFORMATION m_information;
    bool m_bFailed;
};

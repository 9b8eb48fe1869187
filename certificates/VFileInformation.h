/// \class VFileInformation
/// Whether a path names an existing file or folder, and its file information.
///
/// \code{.cpp}
/// VFileInformation info(L"C:\\certs\\host.crt");
/// if (info.Exists())
///     ... info.GetInformation().nFileSizeLow ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class PARDALIN_API VFileInformation
{
public:
    // Construction
    /// Opens the path without access rights, sharing everything (folders too), reads its information and
    /// closes it at once.
    explicit VFileInformation(const wchar_t* path);

    // Attributes
    /// Whether the path opened and its information was read; false also for an existing path that cannot
    /// be opened.
    bool Exists() const { return !m_bFailed; }
    /// The information as GetFileInformationByHandle gives it. Zero when the path does not exist.
    const BY_HANDLE_FILE_INFORMATION& GetInformation() const { return m_information; }

private:
    BY_HANDLE_FILE_INFORMATION m_information;
    bool m_bFailed;
};

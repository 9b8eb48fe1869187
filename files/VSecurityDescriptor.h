/// \class VSecurityDescriptor
/// A security descriptor in absolute form that owns its parts, and access checks against it. A VFile that is
/// given one passes it to CreateFileW when it opens (and deletes it when it goes); the access checks answer
/// whether a token would be granted an access.
///
/// \code{.cpp}
/// VSecurityDescriptor descriptor;
/// GENERIC_MAPPING mapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
/// if (descriptor.AssignFromFile(folder) &&
///     descriptor.AccessCheck(nullptr, FILE_ADD_FILE, mapping, true)) // as this process
///     ... the process may create files in folder ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "frame/VReportMessageParams.h"

class PARDALIN_API VSecurityDescriptor
{
public:
    /// A descriptor with no owner, group or access lists (a null access list grants everyone everything).
    VSecurityDescriptor();
    VSecurityDescriptor(const VSecurityDescriptor&) = delete;
    VSecurityDescriptor& operator=(const VSecurityDescriptor&) = delete;

    /// Takes a copy of any descriptor, self-relative or absolute. On failure (also for a null or invalid
    /// source: ERROR_INVALID_SECURITY_DESCR) the descriptor is unchanged and the error record and the last
    /// error hold the reason.
    bool Assign(PSECURITY_DESCRIPTOR source);
    /// Assigns the owner, group and access list of an existing file or folder; failures as for Assign.
    bool AssignFromFile(const wchar_t* path);

    /// Whether `token` would be granted `desiredAccess` (specific rights only: generic rights are not
    /// mapped). The check runs while this thread impersonates `token`, as in the four-argument form.
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess);
    /// The same, with generic rights in the descriptor's entries mapped by `mapping`.
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping);
    /// Runs the check on this thread while it impersonates the process's own token (impersonateSelf) or
    /// `token`, and puts the thread's previous identity back afterwards. False when access is refused (last
    /// error ERROR_ACCESS_DENIED, error record clear) or when the check itself failed (the record and the
    /// last error hold why).
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping,
                             bool impersonateSelf);
    /// The check for the token this thread is impersonating; the thread must be impersonating. Results as
    /// for AccessCheck.
    virtual bool AccessCheckImpersonated(DWORD desiredAccess, GENERIC_MAPPING& mapping);
    /// Frees the owned parts.
    virtual ~VSecurityDescriptor();

    /// The absolute descriptor, owned by this object and valid while it lives and is not assigned again.
    PSECURITY_DESCRIPTOR GetDescriptor() { return &m_descriptor; }
    /// The last failure of Assign or an access check; message id 0 after a check that ran.
    const VReportMessageParams& GetError() const { return m_error; }

private:
    bool Fail();
    void FreeParts();

    VReportMessageParams m_error;
    SECURITY_DESCRIPTOR m_descriptor;
    // The parts m_descriptor points into.
    BYTE* m_pDacl;
    BYTE* m_pSacl;
    BYTE* m_pOwner;
    BYTE* m_pGroup;
};

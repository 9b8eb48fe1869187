// A security descriptor in absolute form that owns its parts, and access checks against it. A VFile that is
// given one passes it to CreateFileW when it opens (and deletes it when it goes); the access checks answer
// whether a token would be granted an access.
#pragma once

#include "core/PardalinApi.h"
#include "frame/VReportMessageParams.h"

class PARDALIN_API VSecurityDescriptor
{
public:
    // A descriptor with no owner, group or access lists (a null access list grants everyone everything).
    VSecurityDescriptor();
    VSecurityDescriptor(const VSecurityDescriptor&) = delete;
    VSecurityDescriptor& operator=(const VSecurityDescriptor&) = delete;

    // Takes a copy of any descriptor, self-relative or absolute. On failure the descriptor is unchanged and
    // the error record holds the reason.
    bool Assign(PSECURITY_DESCRIPTOR source);
    // The owner, group and access list of an existing file or folder.
    bool AssignFromFile(const wchar_t* path);

    // Whether `token` would be granted `desiredAccess` (specific rights only: generic rights are not mapped).
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess);
    // The same, with generic rights in the descriptor's entries mapped by `mapping`.
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping);
    // Runs the check on this thread while it impersonates the process's own token (impersonateSelf) or
    // `token`, and puts the thread's previous identity back afterwards.
    virtual bool AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping,
                             bool impersonateSelf);
    // The check for the token this thread is impersonating; the thread must be impersonating.
    virtual bool AccessCheckImpersonated(DWORD desiredAccess, GENERIC_MAPPING& mapping);
    // Frees the owned parts.
    virtual ~VSecurityDescriptor();

    PSECURITY_DESCRIPTOR GetDescriptor() { return &m_descriptor; }
    // The last failure of Assign or an access check; message id 0 after a check that ran.
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

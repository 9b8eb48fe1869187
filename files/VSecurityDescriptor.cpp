#include "files/VSecurityDescriptor.h"

#include "core/detail/OwnedHandle.h"

#include <memory>
#include <vector>

namespace
{
// Room for the privileges AccessCheck reports; a fixed buffer, as no check here uses privileges.
constexpr DWORD PrivilegeSetBytes = 1044;

// A part of a descriptor, or null for a part of size 0.
std::unique_ptr<BYTE[]> NewPart(DWORD size)
{
    return size > 0 ? std::unique_ptr<BYTE[]>(new BYTE[size]) : nullptr;
}
} // namespace

VSecurityDescriptor::VSecurityDescriptor()
    : m_error(0), m_pDacl(nullptr), m_pSacl(nullptr), m_pOwner(nullptr), m_pGroup(nullptr)
{
    InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION);
}

VSecurityDescriptor::~VSecurityDescriptor()
{
    FreeParts();
}

void VSecurityDescriptor::FreeParts()
{
    delete[] m_pDacl;
    delete[] m_pSacl;
    delete[] m_pOwner;
    delete[] m_pGroup;
    m_pDacl = m_pSacl = m_pOwner = m_pGroup = nullptr;
}

bool VSecurityDescriptor::Fail()
{
    DWORD error = GetLastError();
    if (error == 0)
    {
        // A failure must never read as success in the record.
        error = ERROR_GEN_FAILURE;
    }
    m_error.Reset(error);
    SetLastError(error);
    return false;
}

bool VSecurityDescriptor::Assign(PSECURITY_DESCRIPTOR source)
{
    m_error.Reset(0);
    if (source == nullptr || !IsValidSecurityDescriptor(source))
    {
        SetLastError(ERROR_INVALID_SECURITY_DESCR);
        return Fail();
    }

    // MakeAbsoluteSD takes only the self-relative form, so an absolute source goes through it first.
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (!GetSecurityDescriptorControl(source, &control, &revision))
    {
        return Fail();
    }
    std::vector<BYTE> relative;
    PSECURITY_DESCRIPTOR selfRelative = source;
    if ((control & SE_SELF_RELATIVE) == 0)
    {
        DWORD size = 0;
        MakeSelfRelativeSD(source, nullptr, &size);
        if (size == 0)
        {
            return Fail();
        }
        relative.resize(size);
        if (!MakeSelfRelativeSD(source, relative.data(), &size))
        {
            return Fail();
        }
        selfRelative = relative.data();
    }

    DWORD descriptorSize = 0;
    DWORD daclSize = 0;
    DWORD saclSize = 0;
    DWORD ownerSize = 0;
    DWORD groupSize = 0;
    MakeAbsoluteSD(selfRelative, nullptr, &descriptorSize, nullptr, &daclSize, nullptr, &saclSize, nullptr,
                   &ownerSize, nullptr, &groupSize);
    if (descriptorSize > sizeof(SECURITY_DESCRIPTOR))
    {
        SetLastError(ERROR_INVALID_SECURITY_DESCR);
        return Fail();
    }
    descriptorSize = sizeof(SECURITY_DESCRIPTOR);
    auto dacl = NewPart(daclSize);
    auto sacl = NewPart(saclSize);
    auto owner = NewPart(ownerSize);
    auto group = NewPart(groupSize);
    SECURITY_DESCRIPTOR absolute;
    if (!MakeAbsoluteSD(selfRelative, &absolute, &descriptorSize, reinterpret_cast<PACL>(dacl.get()),
                        &daclSize, reinterpret_cast<PACL>(sacl.get()), &saclSize, owner.get(), &ownerSize,
                        group.get(), &groupSize))
    {
        return Fail();
    }

    FreeParts();
    m_descriptor = absolute;
    m_pDacl = dacl.release();
    m_pSacl = sacl.release();
    m_pOwner = owner.release();
    m_pGroup = group.release();
    return true;
}

bool VSecurityDescriptor::AssignFromFile(const wchar_t* path)
{
    m_error.Reset(0);
    const SECURITY_INFORMATION parts =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD needed = 0;
    GetFileSecurityW(path, parts, nullptr, 0, &needed);
    if (needed == 0)
    {
        return Fail();
    }
    std::vector<BYTE> relative(needed);
    if (!GetFileSecurityW(path, parts, relative.data(), needed, &needed))
    {
        return Fail();
    }
    return Assign(relative.data());
}

bool VSecurityDescriptor::AccessCheck(HANDLE token, DWORD desiredAccess)
{
    GENERIC_MAPPING scratch = {};
    return AccessCheck(token, desiredAccess, scratch);
}

bool VSecurityDescriptor::AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping)
{
    return AccessCheck(token, desiredAccess, mapping, false);
}

bool VSecurityDescriptor::AccessCheck(HANDLE token, DWORD desiredAccess, GENERIC_MAPPING& mapping,
                                      bool impersonateSelf)
{
    m_error.Reset(0);

    // The thread may already be impersonating someone; that identity has to come back afterwards.
    HANDLE saved = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_IMPERSONATE, TRUE, &saved))
    {
        if (GetLastError() != ERROR_NO_TOKEN)
        {
            return Fail();
        }
        saved = nullptr;
    }
    pardalin::detail::OwnedHandle savedToken(saved);

    const BOOL impersonating =
        impersonateSelf ? ImpersonateSelf(SecurityIdentification) : ImpersonateLoggedOnUser(token);
    if (!impersonating)
    {
        return Fail();
    }

    bool granted = AccessCheckImpersonated(desiredAccess, mapping);
    const DWORD checkError = GetLastError();
    if (!SetThreadToken(nullptr, saved))
    {
        granted = Fail();
    }
    else
    {
        SetLastError(checkError);
    }
    return granted;
}

bool VSecurityDescriptor::AccessCheckImpersonated(DWORD desiredAccess, GENERIC_MAPPING& mapping)
{
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
    {
        return Fail();
    }
    pardalin::detail::OwnedHandle threadToken(token);

    alignas(8) BYTE privileges[PrivilegeSetBytes];
    DWORD privilegesLength = sizeof(privileges);
    DWORD grantedAccess = 0;
    BOOL accessStatus = FALSE;
    if (!::AccessCheck(&m_descriptor, token, desiredAccess, &mapping,
                       reinterpret_cast<PPRIVILEGE_SET>(privileges), &privilegesLength, &grantedAccess,
                       &accessStatus))
    {
        return Fail();
    }
    if (!accessStatus)
    {
        // Refused access is an answer, not a failure of the check: the record stays clear.
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

#include "dialogs/VParentable.h"

VParentable::VParentable() : m_pParentWnd(nullptr)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr)
    {
        m_pParentWnd = pThread->GetMainWnd();
    }
}

VParentable::VParentable(VParentable const& other) : IParentable(), m_pParentWnd(other.m_pParentWnd) {}

VParentable::~VParentable() = default;

CWnd* VParentable::GetParentWindow()
{
    if (m_pParentWnd == nullptr)
    {
        return nullptr;
    }
    HWND hWndParent = m_pParentWnd->GetSafeHwnd();
    if (!::IsWindow(hWndParent))
    {
        return nullptr;
    }
    return CWnd::FromHandle(::GetLastActivePopup(hWndParent));
}

void VParentable::SetParentWindow(CWnd* pWnd)
{
    m_pParentWnd = pWnd;
}

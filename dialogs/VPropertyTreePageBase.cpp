#include "dialogs/VPropertyTreePageBase.h"

#include "dialogs/VPropertyPageStateMap.h"
#include "dialogs/VPropertyTreeDialog.h"

VPropertyTreePageBase::VPropertyTreePageBase() : m_bExpanded(true), m_bSelected(false) {}

VPropertyTreePageBase::VPropertyTreePageBase(VPropertyTreePageBase const& other)
    : m_bExpanded(other.m_bExpanded), m_bSelected(other.m_bSelected)
{
}

VPropertyTreePageBase& VPropertyTreePageBase::operator=(VPropertyTreePageBase const& other)
{
    m_bExpanded = other.m_bExpanded;
    m_bSelected = other.m_bSelected;
    return *this;
}

VPropertyTreePageBase::~VPropertyTreePageBase() = default;

bool VPropertyTreePageBase::IsExpanded() const
{
    return m_bExpanded;
}

bool VPropertyTreePageBase::IsSelected() const
{
    return m_bSelected;
}

void VPropertyTreePageBase::SetExpanded(bool bExpanded)
{
    m_bExpanded = bExpanded;
    SavePageState();
}

void VPropertyTreePageBase::SetSelected(bool bSelected)
{
    m_bSelected = bSelected;
    SavePageState();
}

IPropertyTreeDialog* VPropertyTreePageBase::GetParentDialog()
{
    return InternalGetParentDialog();
}

void VPropertyTreePageBase::SetPageState()
{
    IPropertyTreeDialog* pDialog = GetParentDialog();
    VPropertyPageStateMap* pStates = pDialog != nullptr ? pDialog->GetPageStateMap() : nullptr;
    if (pStates == nullptr)
    {
        return;
    }
    VUnicodeString name = GetStateMapName();
    VPropertyPageState* pState = nullptr;
    if (pStates->Lookup(name, pState) && pState != nullptr)
    {
        m_bExpanded = pState->m_bExpanded;
        m_bSelected = pState->m_bSelected;
        return;
    }
    pStates->Set(name, new VPropertyPageState{m_bExpanded, m_bSelected});
}

void VPropertyTreePageBase::SavePageState()
{
    IPropertyTreeDialog* pDialog = GetParentDialog();
    VPropertyPageStateMap* pStates = pDialog != nullptr ? pDialog->GetPageStateMap() : nullptr;
    VPropertyPageState* pState = nullptr;
    if (pStates == nullptr || !pStates->Lookup(GetStateMapName(), pState) || pState == nullptr)
    {
        return;
    }
    pState->m_bExpanded = m_bExpanded;
    pState->m_bSelected = m_bSelected;
}

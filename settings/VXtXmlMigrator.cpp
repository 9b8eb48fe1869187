#include "settings/VXtXmlMigrator.h"

#include "frame/TextHelpers.h"

#include <comdef.h>
#include <msxml2.h>

#include <cerrno>
#include <cwchar>

namespace
{
// The version 3.0 DOM document ({F5078F32-C551-11D3-89B9-0000F81FE221}); the toolchain's libraries do not
// define it.
const CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3, {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};

// Holds one reference to a COM object and releases it.
template <class T> class ComRef
{
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (m_p != nullptr)
            m_p->Release();
    }
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

// A decimal number as the C library's signed conversion reads it; false when the text has no digits or
// the value overflows. What follows the digits is ignored.
bool ParseNumber(const VUnicodeString& text, long& value)
{
    const wchar_t* start = text.GetString();
    wchar_t* end = nullptr;
    errno = 0;
    const long parsed = std::wcstol(start, &end, 10);
    if (end == start || errno == ERANGE)
        return false;
    value = parsed;
    return true;
}

// A number attribute: false when it is absent or not a number.
bool ReadNumber(bool bPresent, const VUnicodeString& text, long& value)
{
    return bPresent && ParseNumber(text, value);
}
} // namespace

VXtXmlMigrator::VXtXmlMigrator(VUnicodeString xmlPath, CMenu* menu, CMFCToolBar* toolBar, CMenu* themesMenu,
                               CMenu* windowMenu, VMap<unsigned int, int> imageMap)
    : m_bLoaded(false), m_bToolBar(false), m_popupMenus(25), m_pMenu(menu), m_pCurrentMenu(nullptr),
      m_pToolBar(toolBar), m_pThemesMenu(themesMenu), m_pWindowMenu(windowMenu), m_imageMap(imageMap)
{
    ComRef<IXMLDOMDocument> document;
    if (!CheckResult(::CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                        reinterpret_cast<void**>(&document)),
                     L"VXtXmlMigrator CoCreateInstance failed"))
        return;
    CheckResult(document->put_async(VARIANT_FALSE), L"put_async failed");
    CheckResult(document->put_validateOnParse(VARIANT_TRUE), L"put_validateOnParse failed");

    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    const HRESULT hr = document->load(_variant_t(xmlPath.GetString()), &bLoaded);
    if (FAILED(hr) || bLoaded != VARIANT_TRUE)
    {
        VUnicodeString message;
        message.Format(L"pXmlDoc->load failed %1", xmlPath.GetString());
        TRACE(L"%s\n", message.GetString());
        return;
    }
    m_bLoaded = true;

    ComRef<IXMLDOMNodeList> bars;
    long nBars = 0;
    if (!CheckResult(document->getElementsByTagName(_bstr_t(L"CommandBar"), &bars),
                     L"getElementsByTagName failed") ||
        !CheckResult(bars->get_length(&nBars), L"get_length failed"))
        return;
    for (long i = 0; i < nBars; ++i)
    {
        ComRef<IXMLDOMNode> bar;
        ComRef<IXMLDOMNamedNodeMap> attributes;
        if (!CheckResult(bars->get_item(i, &bar), L"get_item failed") || bar.get() == nullptr ||
            !CheckResult(bar->get_attributes(&attributes), L"get_attributes failed") ||
            attributes.get() == nullptr)
            break;
        ProcessCommandBar(attributes.get());
        ProcessNodeControls(bar.get());
    }
}

VXtXmlMigrator::VXtXmlMigrator(const VXtXmlMigrator& other)
    : m_popupMenus(other.m_popupMenus.GetBucketCount())
{
    CopyFrom(other);
}

VXtXmlMigrator& VXtXmlMigrator::operator=(const VXtXmlMigrator& other)
{
    if (this != &other)
    {
        ReleasePopupMenus();
        CopyFrom(other);
    }
    return *this;
}

VXtXmlMigrator::~VXtXmlMigrator()
{
    ReleasePopupMenus();
}

bool VXtXmlMigrator::Loaded() const
{
    return m_bLoaded;
}

CMenu* VXtXmlMigrator::GetMenu() const
{
    return m_pMenu;
}

void VXtXmlMigrator::CopyFrom(const VXtXmlMigrator& other)
{
    m_bLoaded = other.m_bLoaded;
    m_bToolBar = other.m_bToolBar;
    m_pMenu = other.m_pMenu;
    m_pCurrentMenu = other.m_pCurrentMenu;
    m_pToolBar = other.m_pToolBar;
    m_pThemesMenu = other.m_pThemesMenu;
    m_pWindowMenu = other.m_pWindowMenu;
    m_imageMap = other.m_imageMap;
    // The copy's own objects for the same menus, not attached: neither copy destroys a menu, and each
    // deletes only its own objects.
    other.m_popupMenus.ForEach(
        [this, &other](const VUnicodeString& key, CMenu* source)
        {
            CMenu* copy = new CMenu;
            copy->m_hMenu = source->m_hMenu;
            m_popupMenus.Set(key, copy);
            if (other.m_pCurrentMenu == source)
                m_pCurrentMenu = copy;
        });
}

void VXtXmlMigrator::ReleasePopupMenus()
{
    m_popupMenus.ForEach(
        [](const VUnicodeString&, CMenu*& menu)
        {
            menu->Detach();
            delete menu;
            menu = nullptr;
        });
    m_popupMenus.RemoveAll();
}

void VXtXmlMigrator::ProcessCommandBar(IXMLDOMNamedNodeMap* attributes)
{
    m_bToolBar = false;
    VUnicodeString type;
    VUnicodeString barClass;
    const bool bType = GetAttributeValue(attributes, L"Type", type);
    const bool bClass = GetAttributeValue(attributes, L"Class", barClass);
    if (bType && type.CompareNoCase(L"0") == 0)
    {
        m_pCurrentMenu = m_pMenu;
    }
    else if (bClass && barClass.CompareNoCase(L"CXTPToolBar") == 0 && m_pToolBar != nullptr)
    {
        m_bToolBar = true;
        m_pToolBar->RemoveAllButtons();
        m_pCurrentMenu = nullptr;
    }
    else
    {
        VUnicodeString barId;
        CMenu* found = nullptr;
        if (GetAttributeValue(attributes, L"BarID", barId))
            m_popupMenus.Lookup(barId, found);
        m_pCurrentMenu = found;
    }
}

void VXtXmlMigrator::ProcessNodeControls(IXMLDOMNode* element)
{
    ComRef<IXMLDOMElement> asElement;
    ComRef<IXMLDOMNodeList> controls;
    long nControls = 0;
    if (!CheckResult(element->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&asElement)),
                     L"ProcessNodeControls::QueryInterface failed") ||
        !CheckResult(asElement->getElementsByTagName(_bstr_t(L"Control"), &controls),
                     L"ProcessNodeControls::getElementsByTagName failed") ||
        controls.get() == nullptr ||
        !CheckResult(controls->get_length(&nControls), L"ProcessNodeControls::get_length failed"))
        return;
    for (long i = 0; i < nControls; ++i)
    {
        ComRef<IXMLDOMNode> control;
        ComRef<IXMLDOMNamedNodeMap> attributes;
        if (!CheckResult(controls->get_item(i, &control), L"ProcessNodeControls::get_item failed") ||
            control.get() == nullptr ||
            !CheckResult(control->get_attributes(&attributes),
                         L"ProcessNodeControls::get_attributes failed") ||
            attributes.get() == nullptr)
            return;
        ProcessControl(attributes.get());
    }
}

void VXtXmlMigrator::ProcessControl(IXMLDOMNamedNodeMap* attributes)
{
    if (m_pCurrentMenu == nullptr && !m_bToolBar)
        return;
    VUnicodeString type, caption, customCaption, beginGroup, id, hideFlags;
    const bool bType = GetAttributeValue(attributes, L"Type", type);
    const bool bCaption = GetAttributeValue(attributes, L"Caption", caption);
    const bool bCustomCaption = GetAttributeValue(attributes, L"CustomCaption", customCaption);
    const bool bBeginGroup = GetAttributeValue(attributes, L"BeginGroup", beginGroup);
    const bool bId = GetAttributeValue(attributes, L"Id", id);
    const bool bHideFlags = GetAttributeValue(attributes, L"HideFlags", hideFlags);
    const VUnicodeString& text = bCustomCaption ? customCaption : caption;

    long nGroup = 0;
    if (ReadNumber(bBeginGroup, beginGroup, nGroup) && nGroup == 1)
    {
        if (m_pCurrentMenu != nullptr)
            m_pCurrentMenu->AppendMenu(MF_SEPARATOR);
        if (m_bToolBar)
            m_pToolBar->InsertSeparator(-1);
    }

    long nId = 0;
    if ((bCaption || bCustomCaption) && bType && type == L"2" && m_pCurrentMenu != nullptr)
    {
        VUnicodeString barId;
        long nBarId = 0;
        if (!ReadNumber(GetAttributeValue(attributes, L"CommandBarId", barId), barId, nBarId))
            return;
        const VUnicodeString bare = RemoveAmpersand(caption.GetString());
        const bool bThemes = bare.CompareNoCase(L"Themes") == 0;
        if (bThemes || bare.CompareNoCase(L"Window") == 0)
        {
            // A host without that menu gets nothing in its place.
            CMenu* hostMenu = bThemes ? m_pThemesMenu : m_pWindowMenu;
            if (hostMenu != nullptr && hostMenu->GetSafeHmenu() != nullptr)
                m_pCurrentMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hostMenu->GetSafeHmenu()),
                                           caption.GetString());
            return;
        }
        CMenu* popup = new CMenu;
        if (!popup->CreateMenu())
        {
            delete popup;
            return;
        }
        m_pCurrentMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup->GetSafeHmenu()),
                                   text.GetString());
        // A later popup with the same id takes the key; the earlier object is let go, its menu stays.
        CMenu* previous = nullptr;
        if (m_popupMenus.Lookup(barId, previous))
        {
            previous->Detach();
            delete previous;
        }
        m_popupMenus.Set(barId, popup);
    }
    else if (m_pCurrentMenu != nullptr)
    {
        if (ReadNumber(bId, id, nId))
            m_pCurrentMenu->AppendMenu(MF_STRING, static_cast<UINT>(nId), text.GetString());
    }
    else if (m_bToolBar)
    {
        if (!ReadNumber(bId, id, nId) || (bHideFlags && !hideFlags.IsEmpty()))
            return;
        const UINT nCommand = static_cast<UINT>(nId);
        CMFCToolBarButton button(nCommand, -1);
        button.m_bUserButton = TRUE;
        int nImage = -1;
        if (m_imageMap.Lookup(nCommand, nImage))
        {
            button.SetImage(nImage);
        }
        else if (bCaption)
        {
            button.m_strText = caption.GetString();
            button.m_bText = TRUE;
        }
        m_pToolBar->InsertButton(button, -1);
    }
}

bool VXtXmlMigrator::GetAttributeValue(IXMLDOMNamedNodeMap* attributes, const wchar_t* name,
                                       VUnicodeString& value)
{
    ComRef<IXMLDOMNode> node;
    if (attributes->getNamedItem(_bstr_t(name), &node) != S_OK || node.get() == nullptr)
        return false;
    _variant_t nodeValue;
    if (FAILED(node->get_nodeValue(&nodeValue)) || nodeValue.vt != VT_BSTR)
        return false;
    value = VUnicodeString(nodeValue.bstrVal, static_cast<int>(::SysStringLen(nodeValue.bstrVal)));
    return true;
}

bool VXtXmlMigrator::CheckResult(HRESULT hr, const wchar_t* text)
{
    if (FAILED(hr))
    {
        VUnicodeString message;
        message.Format(L"%1: %2!d!", text, hr);
        TRACE(L"%s\n", message.GetString());
    }
    return SUCCEEDED(hr);
}

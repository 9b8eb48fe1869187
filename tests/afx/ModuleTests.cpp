// Module state, extension DLLs and the resource chain, with real modules: the test program's own
// resources, the extension DLL AfxTestExtension and the resource-only DLLs AfxTestResources and
// AfxTestSystemResources.
#include "AfxTestSupport.h"
#include "../afx_modules/ModuleIds.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace
{
class CProgramClass : public CObject
{
    DECLARE_DYNCREATE(CProgramClass)
};
IMPLEMENT_DYNCREATE(CProgramClass, CObject)

std::set<std::string> ClassNames(CRuntimeClass* pFirst)
{
    std::set<std::string> names;
    for (CRuntimeClass* pClass = pFirst; pClass != nullptr; pClass = pClass->m_pNextClass)
    {
        names.insert(pClass->m_lpszClassName);
    }
    return names;
}

size_t LibraryCount()
{
    size_t nCount = 0;
    const CTypedSimpleList<CDynLinkLibrary*>& libraries = AfxGetModuleState()->m_libraryList;
    for (CDynLinkLibrary* pDLL = libraries.GetHead(); pDLL != nullptr; pDLL = libraries.GetNext(pDLL))
    {
        ++nCount;
    }
    return nCount;
}

CString Loaded(UINT nID)
{
    CString str(L"(none)");
    str.LoadString(nID);
    return str;
}

// Puts the current resource module back when a test ends, however it ends.
class ResourceHandleScope
{
public:
    ResourceHandleScope() : m_hSaved(AfxGetResourceHandle()) {}
    ~ResourceHandleScope() { AfxSetResourceHandle(m_hSaved); }
    ResourceHandleScope(const ResourceHandleScope&) = delete;
    ResourceHandleScope& operator=(const ResourceHandleScope&) = delete;

private:
    HINSTANCE m_hSaved;
};

// The extension DLL, loaded for the test and unloaded after it (its DllMain ends the extension module).
class ExtensionDll
{
public:
    ExtensionDll() : m_hModule(LoadLibraryW(L"AfxTestExtension.dll")) {}
    ~ExtensionDll() { Unload(); }
    ExtensionDll(const ExtensionDll&) = delete;
    ExtensionDll& operator=(const ExtensionDll&) = delete;

    HMODULE Handle() const { return m_hModule; }
    const AFX_EXTENSION_MODULE* Record() const
    {
        auto pfn = reinterpret_cast<const AFX_EXTENSION_MODULE* (*)()>(
            reinterpret_cast<void*>(GetProcAddress(m_hModule, "TestExtensionModule")));
        return pfn != nullptr ? pfn() : nullptr;
    }
    void Unload()
    {
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
            m_hModule = nullptr;
        }
    }

private:
    HMODULE m_hModule;
};

// A resource-only DLL linked into the chain: as a plain library, or as a system library through an
// extension-module record.
class ResourceLibrary
{
public:
    ResourceLibrary(const wchar_t* pszName, BOOL bSystem) : m_hModule(LoadLibraryW(pszName)), m_record()
    {
        if (m_hModule == nullptr)
        {
            return;
        }
        if (bSystem)
        {
            AfxInitExtensionModule(m_record, m_hModule);
            new CDynLinkLibrary(m_record, TRUE);
        }
        else
        {
            new CDynLinkLibrary(m_hModule, m_hModule);
            m_record.bInitialized = TRUE;
            m_record.hModule = m_hModule;
        }
    }
    ~ResourceLibrary()
    {
        AfxTermExtensionModule(m_record);
        if (m_hModule != nullptr)
        {
            FreeLibrary(m_hModule);
        }
    }
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    HMODULE Handle() const { return m_hModule; }

private:
    HMODULE m_hModule;
    AFX_EXTENSION_MODULE m_record;
};
} // namespace

TEST(AfxModule, TheProgramIsTheFirstResourceModuleUntilTheHandleIsSwitched)
{
    HMODULE hProgram = GetModuleHandleW(nullptr);
    EXPECT_EQ(hProgram, AfxGetInstanceHandle());
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
    EXPECT_EQ(0u, LibraryCount());
    ResourceLibrary resources(L"AfxTestResources.dll", FALSE);
    ASSERT_NE(nullptr, resources.Handle());
    {
        ResourceHandleScope scope;
        AfxSetResourceHandle(resources.Handle());
        EXPECT_EQ(resources.Handle(), AfxGetResourceHandle());
        // The program is no longer searched at all: it was in the chain only as the current module.
        EXPECT_EQ(L"(none)", Loaded(IDS_ONLY_IN_PROGRAM));
        EXPECT_EQ(resources.Handle(), AfxFindResourceHandle(MAKEINTRESOURCE(IDD_PROGRAM_DIALOG), RT_DIALOG));
    }
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
    EXPECT_EQ(L"Only in the program", Loaded(IDS_ONLY_IN_PROGRAM));
}

TEST(AfxModule, FindResourceHandleWalksTheChainInOrder)
{
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    HMODULE hProgram = GetModuleHandleW(nullptr);
    HMODULE hExtension = extension.Handle();

    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_PROGRAM_DIALOG), RT_DIALOG));
    EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXTENSION_DIALOG), RT_DIALOG));
    // Both have it: the current resource module comes first.
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_SHARED_DIALOG), RT_DIALOG));
    // Nobody has it: the current resource module is the answer.
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(3999), RT_DIALOG));
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXTENSION_DIALOG), RT_MENU));

    ResourceHandleScope scope;
    AfxSetResourceHandle(hExtension);
    EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_SHARED_DIALOG), RT_DIALOG));
    EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(3999), RT_DIALOG));
}

TEST(AfxModule, NewestLibraryFirstSystemLibrariesLastAndStringsFoundOneByOne)
{
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    ResourceLibrary resources(L"AfxTestResources.dll", FALSE);
    ResourceLibrary system(L"AfxTestSystemResources.dll", TRUE);
    ASSERT_NE(nullptr, resources.Handle());
    ASSERT_NE(nullptr, system.Handle());
    EXPECT_EQ(3u, LibraryCount());

    EXPECT_EQ(L"Program and extension, as found in the program", Loaded(IDS_IN_PROGRAM_AND_EXTENSION));
    EXPECT_EQ(L"Only in the extension", Loaded(IDS_ONLY_IN_EXTENSION));
    // The resources were linked after the extension.
    EXPECT_EQ(L"Extension and resources, as found in the resources", Loaded(IDS_IN_EXTENSION_AND_RESOURCES));
    // The system library was linked last of all, yet comes after every other module.
    EXPECT_EQ(L"Resources and system, as found in the resources", Loaded(IDS_IN_RESOURCES_AND_SYSTEM));
    EXPECT_EQ(L"Only in the program", Loaded(IDS_ONLY_IN_PROGRAM));
    EXPECT_EQ(L"Only in the system library", Loaded(IDS_ONLY_IN_SYSTEM));
    EXPECT_EQ(system.Handle(), AfxFindStringResourceHandle(IDS_ONLY_IN_SYSTEM));
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_IN_NO_MODULE));
    // All of 2000 to 2015 share one string-table block, which the program and the extension both have:
    // strings are found by string, not by block.
    EXPECT_EQ(GetModuleHandleW(nullptr),
              AfxFindResourceHandle(MAKEINTRESOURCE((IDS_ONLY_IN_RESOURCES >> 4) + 1), RT_STRING));
    EXPECT_EQ(resources.Handle(), AfxFindStringResourceHandle(IDS_ONLY_IN_RESOURCES));
    EXPECT_EQ(L"Only in the resources", Loaded(IDS_ONLY_IN_RESOURCES));
    EXPECT_EQ(L"(none)", Loaded(IDS_EMPTY_BLOCK_NEIGHBOUR));

    ResourceHandleScope scope;
    AfxSetResourceHandle(extension.Handle());
    EXPECT_EQ(L"Program and extension, as found in the extension", Loaded(IDS_IN_PROGRAM_AND_EXTENSION));
    // Now only the system library has this one.
    EXPECT_EQ(L"Only in the program, as found in the system library", Loaded(IDS_ONLY_IN_PROGRAM));
}

TEST(AfxModule, LoadStringInBothWidthsFromAGivenModuleAndFromIdsGivenAsText)
{
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());

    CStringA narrow("keep");
    EXPECT_TRUE(narrow.LoadString(IDS_ONLY_IN_EXTENSION));
    EXPECT_STREQ("Only in the extension", narrow);

    CString wide(L"keep");
    EXPECT_TRUE(wide.LoadString(extension.Handle(), IDS_IN_PROGRAM_AND_EXTENSION));
    EXPECT_EQ(L"Program and extension, as found in the extension", wide);

    // A failed load leaves the string as it was.
    wide = L"keep";
    EXPECT_FALSE(wide.LoadString(IDS_IN_NO_MODULE));
    EXPECT_FALSE(wide.LoadString(extension.Handle(), IDS_ONLY_IN_PROGRAM));
    EXPECT_FALSE(wide.LoadString(0x12345));
    EXPECT_FALSE(wide.LoadString(nullptr, IDS_EMPTY_BLOCK_NEIGHBOUR));
    EXPECT_EQ(L"keep", wide);
    // A null module is the program.
    EXPECT_TRUE(wide.LoadString(nullptr, IDS_ONLY_IN_PROGRAM));
    EXPECT_EQ(L"Only in the program", wide);

    // Resource ids given as text are loaded.
    CStringA constructed(MAKEINTRESOURCEA(IDS_ONLY_IN_PROGRAM));
    EXPECT_STREQ("Only in the program", constructed);
    // Across widths: a narrow id into a wide string.
    CString across(MAKEINTRESOURCEA(IDS_IN_PROGRAM_AND_EXTENSION));
    EXPECT_EQ(L"Program and extension, as found in the program", across);
    wide = MAKEINTRESOURCEW(IDS_IN_NO_MODULE);
    EXPECT_TRUE(wide.IsEmpty());
}

TEST(AfxModule, FormatAndAfxLoadStringFromAStringResource)
{
    CString text;
    text.Format(IDS_FORMAT_IN_PROGRAM, 3, L"the box");
    EXPECT_EQ(L"3 items in the box", text);
    text = L"unchanged";
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { text.Format(IDS_IN_NO_MODULE, 1); }));
    EXPECT_EQ(L"unchanged", text);

    // AfxLoadString truncates to the buffer.
    wchar_t buffer[32];
    EXPECT_EQ(4, AfxLoadString(IDS_ONLY_IN_PROGRAM, buffer, 5));
    EXPECT_STREQ(L"Only", buffer);
    EXPECT_EQ(0, AfxLoadString(IDS_IN_NO_MODULE, buffer, 32));
    EXPECT_STREQ(L"", buffer);
}

TEST(AfxModule, AnExtensionDllCollectsItsOwnClassesUntilItIsUnloaded)
{
    CRuntimeClass* pApplicationHead = AfxGetModuleState()->m_classList.GetHead();
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    const AFX_EXTENSION_MODULE* pRecord = extension.Record();
    ASSERT_NE(nullptr, pRecord);

    EXPECT_TRUE(pRecord->bInitialized);
    EXPECT_EQ(extension.Handle(), pRecord->hModule);
    EXPECT_EQ(extension.Handle(), pRecord->hResource);
    EXPECT_EQ((std::set<std::string>{"CExtensionWidget", "CExtensionGadget"}),
              ClassNames(pRecord->pFirstSharedClass));
    // The application has its own list back, untouched.
    EXPECT_EQ(pApplicationHead, AfxGetModuleState()->m_classList.GetHead());
    EXPECT_FALSE(AfxGetModuleState()->m_bExtensionInitPending);

    CDynLinkLibrary* pLibrary = AfxGetModuleState()->m_libraryList.GetHead();
    ASSERT_NE(nullptr, pLibrary);
    EXPECT_EQ(extension.Handle(), pLibrary->m_hModule);
    EXPECT_EQ(extension.Handle(), pLibrary->m_hResource);
    EXPECT_FALSE(pLibrary->m_bSystem);
    EXPECT_EQ(pRecord->pFirstSharedClass, pLibrary->m_classList.GetHead());
    EXPECT_TRUE(pLibrary->IsKindOf(RUNTIME_CLASS(CCmdTarget)));

    // Classes of the application and of every library are found by name.
    CRuntimeClass* pGadget = CRuntimeClass::FromName("CExtensionGadget");
    CRuntimeClass* pWidget = CRuntimeClass::FromName(L"CExtensionWidget");
    ASSERT_NE(nullptr, pGadget);
    ASSERT_NE(nullptr, pWidget);
    EXPECT_TRUE(pGadget->IsDerivedFrom(pWidget));
    EXPECT_EQ(RUNTIME_CLASS(CProgramClass), CRuntimeClass::FromName("CProgramClass"));

    CObject* pObject = CRuntimeClass::CreateObject("CExtensionGadget");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(pWidget));
    EXPECT_EQ(pGadget, pObject->GetRuntimeClass());
    delete pObject;

    // Unloading the DLL ends its extension module: its classes and resources leave the chains.
    HMODULE hExtension = extension.Handle();
    extension.Unload();
    EXPECT_EQ(nullptr, GetModuleHandleW(L"AfxTestExtension.dll"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CExtensionGadget"));
    EXPECT_EQ(0u, LibraryCount());
    EXPECT_NE(hExtension, AfxFindStringResourceHandle(IDS_ONLY_IN_EXTENSION));
    EXPECT_EQ(L"(none)", Loaded(IDS_ONLY_IN_EXTENSION));
    EXPECT_EQ(RUNTIME_CLASS(CProgramClass), CRuntimeClass::FromName("CProgramClass"));
}

TEST(AfxModule, AnUnfinishedStartUpDoesNotLoseTheApplicationsClasses)
{
    static CRuntimeClass classFirst = {"CFirstLateClass",      sizeof(CObject), 0xFFFF, nullptr,
                                       &CObject::GetThisClass, nullptr,         nullptr};
    static CRuntimeClass classSecond = {"CSecondLateClass",     sizeof(CObject), 0xFFFF, nullptr,
                                        &CObject::GetThisClass, nullptr,         nullptr};
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pApplicationHead = pState->m_classList.GetHead();

    // A DLL whose start-up never reached AfxInitExtensionModule, then another one.
    AfxExtensionModulePreamble();
    AfxClassInit(&classFirst);
    AfxExtensionModulePreamble();
    AfxClassInit(&classSecond);
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CProgramClass")); // aside while a DLL starts

    AFX_EXTENSION_MODULE record = {};
    ASSERT_TRUE(AfxInitExtensionModule(record, GetModuleHandleW(L"kernel32.dll")));
    EXPECT_EQ(pApplicationHead, pState->m_classList.GetHead());
    EXPECT_EQ((std::set<std::string>{"CFirstLateClass", "CSecondLateClass"}),
              ClassNames(record.pFirstSharedClass));
    EXPECT_EQ(RUNTIME_CLASS(CProgramClass), CRuntimeClass::FromName("CProgramClass"));

    // Initialising again changes nothing.
    ASSERT_TRUE(AfxInitExtensionModule(record, GetModuleHandleW(nullptr)));
    EXPECT_EQ(GetModuleHandleW(L"kernel32.dll"), record.hModule);

    new CDynLinkLibrary(record);
    EXPECT_EQ(&classSecond, CRuntimeClass::FromName("CSecondLateClass"));
    AfxTermExtensionModule(record);
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CSecondLateClass"));
    EXPECT_EQ(0u, LibraryCount());
}

TEST(AfxModule, StartUpWithoutThePreambleOrWithoutAModule)
{
    CRuntimeClass* pApplicationHead = AfxGetModuleState()->m_classList.GetHead();
    AFX_EXTENSION_MODULE record = {};
    EXPECT_FALSE(AfxInitExtensionModule(record, nullptr));
    EXPECT_FALSE(record.bInitialized);

    ASSERT_TRUE(AfxInitExtensionModule(record, GetModuleHandleW(L"kernel32.dll")));
    EXPECT_EQ(nullptr, record.pFirstSharedClass);
    EXPECT_EQ(pApplicationHead, AfxGetModuleState()->m_classList.GetHead());

    // Ending a module that never started, or one without libraries, leaves the chain alone.
    ResourceLibrary resources(L"AfxTestResources.dll", FALSE);
    AFX_EXTENSION_MODULE never = {};
    AfxTermExtensionModule(never);
    AfxTermExtensionModule(record);
    EXPECT_EQ(1u, LibraryCount());
}

TEST(AfxModule, TermWithAllDeletesEveryLibrary)
{
    HMODULE hResources = LoadLibraryW(L"AfxTestResources.dll");
    HMODULE hSystem = LoadLibraryW(L"AfxTestSystemResources.dll");
    ASSERT_NE(nullptr, hResources);
    ASSERT_NE(nullptr, hSystem);
    AFX_EXTENSION_MODULE record = {};
    AfxInitExtensionModule(record, hSystem);
    new CDynLinkLibrary(record, TRUE);
    new CDynLinkLibrary(hResources, hResources);
    EXPECT_EQ(2u, LibraryCount());

    AfxTermExtensionModule(record, TRUE);
    EXPECT_EQ(0u, LibraryCount());
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_ONLY_IN_RESOURCES));
    FreeLibrary(hResources);
    FreeLibrary(hSystem);
}

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

// A resource-only DLL linked into the chain through an extension-module record, as a system library or not.
class ResourceLibrary
{
public:
    ResourceLibrary(const wchar_t* pszName, BOOL bSystem) : m_hModule(LoadLibraryW(pszName)), m_record()
    {
        if (m_hModule != nullptr && AfxInitExtensionModule(m_record, m_hModule))
        {
            new CDynLinkLibrary(m_record, bSystem);
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

TEST(AfxModule, TheChainRunsFromTheCurrentModuleThroughTheNewestLibraryToSystemLibraries)
{
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    ResourceLibrary resources(L"AfxTestResources.dll", FALSE);
    ResourceLibrary system(L"AfxTestSystemResources.dll", TRUE);
    ASSERT_NE(nullptr, resources.Handle());
    ASSERT_NE(nullptr, system.Handle());
    EXPECT_EQ(3u, LibraryCount());
    HMODULE hProgram = GetModuleHandleW(nullptr);
    HMODULE hExtension = extension.Handle();

    EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXTENSION_DIALOG), RT_DIALOG));
    // Both have it: the current resource module comes first. Nobody has it: the current module answers.
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_SHARED_DIALOG), RT_DIALOG));
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXTENSION_DIALOG), RT_MENU));

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
    EXPECT_EQ(hProgram, AfxFindResourceHandle(MAKEINTRESOURCE((IDS_ONLY_IN_RESOURCES >> 4) + 1), RT_STRING));
    EXPECT_EQ(resources.Handle(), AfxFindStringResourceHandle(IDS_ONLY_IN_RESOURCES));
    EXPECT_EQ(L"Only in the resources", Loaded(IDS_ONLY_IN_RESOURCES));
    EXPECT_EQ(L"(none)", Loaded(IDS_EMPTY_BLOCK_NEIGHBOUR));

    {
        ResourceHandleScope scope;
        AfxSetResourceHandle(hExtension);
        EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_SHARED_DIALOG), RT_DIALOG));
        EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(3999), RT_DIALOG));
        EXPECT_EQ(L"Program and extension, as found in the extension", Loaded(IDS_IN_PROGRAM_AND_EXTENSION));
        // The program was in the chain only as the current module: it is no longer searched at all.
        EXPECT_EQ(hExtension, AfxFindResourceHandle(MAKEINTRESOURCE(IDD_PROGRAM_DIALOG), RT_DIALOG));
        EXPECT_EQ(L"Only in the program, as found in the system library", Loaded(IDS_ONLY_IN_PROGRAM));
    }
    EXPECT_EQ(hProgram, AfxGetResourceHandle());
}

TEST(AfxModule, StringsLoadFromAGivenModuleOrTheChainAndFromIdsGivenAsText)
{
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    CStringA narrow("keep");
    EXPECT_TRUE(narrow.LoadString(IDS_ONLY_IN_EXTENSION));
    EXPECT_STREQ("Only in the extension", narrow);
    // A failed load leaves the string as it was; a null module is the program.
    CString wide(L"keep");
    EXPECT_FALSE(wide.LoadString(extension.Handle(), IDS_ONLY_IN_PROGRAM));
    EXPECT_EQ(L"keep", wide);
    EXPECT_TRUE(wide.LoadString(nullptr, IDS_ONLY_IN_PROGRAM));
    EXPECT_EQ(L"Only in the program", wide);
    // Resource ids given as text are loaded, across widths too.
    CString across(MAKEINTRESOURCEA(IDS_IN_PROGRAM_AND_EXTENSION));
    EXPECT_EQ(L"Program and extension, as found in the program", across);
    // Formats from a string resource; a missing one throws and changes nothing.
    wide.Format(IDS_FORMAT_IN_PROGRAM, 3, L"the box");
    EXPECT_EQ(L"3 items in the box", wide);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { wide.Format(IDS_IN_NO_MODULE, 1); }));
    EXPECT_EQ(L"3 items in the box", wide);
}

TEST(AfxModule, AnExtensionDllCollectsItsOwnClassesUntilItIsUnloaded)
{
    CRuntimeClass* pApplicationHead = AfxGetModuleState()->m_classList.GetHead();
    ExtensionDll extension;
    ASSERT_NE(nullptr, extension.Handle());
    const AFX_EXTENSION_MODULE* pRecord = extension.Record();
    ASSERT_NE(nullptr, pRecord);

    EXPECT_EQ((std::set<std::string>{"CExtensionWidget", "CExtensionGadget"}),
              ClassNames(pRecord->pFirstSharedClass));
    // The application has its own list back, untouched.
    EXPECT_EQ(pApplicationHead, AfxGetModuleState()->m_classList.GetHead());
    EXPECT_FALSE(AfxGetModuleState()->m_bExtensionInitPending);

    CDynLinkLibrary* pLibrary = AfxGetModuleState()->m_libraryList.GetHead();
    ASSERT_NE(nullptr, pLibrary);
    EXPECT_EQ(extension.Handle(), pLibrary->m_hResource);
    EXPECT_EQ(pRecord->pFirstSharedClass, pLibrary->m_classList.GetHead());

    // Classes of every library are found by name and made from it, the application's as well.
    CObject* pObject = CRuntimeClass::CreateObject("CExtensionGadget");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(CRuntimeClass::FromName(L"CExtensionWidget")));
    delete pObject;
    EXPECT_EQ(RUNTIME_CLASS(CProgramClass), CRuntimeClass::FromName("CProgramClass"));

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

TEST(AfxModule, StartUpWithoutAModuleAndTheEndOfModules)
{
    AFX_EXTENSION_MODULE record = {};
    EXPECT_FALSE(AfxInitExtensionModule(record, nullptr));
    EXPECT_FALSE(record.bInitialized);

    // Ending a module that never started, or one without libraries, leaves the chain alone; ending one
    // with bAll deletes every library.
    HMODULE hResources = LoadLibraryW(L"AfxTestResources.dll");
    HMODULE hSystem = LoadLibraryW(L"AfxTestSystemResources.dll");
    ASSERT_NE(nullptr, hResources);
    ASSERT_NE(nullptr, hSystem);
    new CDynLinkLibrary(hResources, hResources);
    AFX_EXTENSION_MODULE never = {};
    AfxTermExtensionModule(never);
    ASSERT_TRUE(AfxInitExtensionModule(record, hSystem)); // without the preamble: no classes of its own
    EXPECT_EQ(nullptr, record.pFirstSharedClass);
    AfxTermExtensionModule(record);
    EXPECT_EQ(1u, LibraryCount());
    new CDynLinkLibrary(record, TRUE);
    EXPECT_EQ(2u, LibraryCount());
    AfxTermExtensionModule(record, TRUE);
    EXPECT_EQ(0u, LibraryCount());
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_ONLY_IN_RESOURCES));
    FreeLibrary(hResources);
    FreeLibrary(hSystem);
}

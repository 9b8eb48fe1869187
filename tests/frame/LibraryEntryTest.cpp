#include "frame/Pardalin.h"

#include <afxwin.h>

#include <gtest/gtest.h>

TEST(FrameLibraryEntry, TheLibraryJoinsTheApplicationsChainAndTakesItsName)
{
    const HINSTANCE library = GetPardalinDll();
    ASSERT_NE(nullptr, library);
    wchar_t path[MAX_PATH];
    ASSERT_NE(0u, GetModuleFileNameW(library, path, MAX_PATH));
    EXPECT_NE(nullptr, wcsstr(path, L"Pardalin67U.dll"));

    int linked = 0;
    const AFX_MODULE_STATE* state = AfxGetModuleState();
    for (CDynLinkLibrary* dll = state->m_libraryList.GetHead(); dll; dll = state->m_libraryList.GetNext(dll))
        if (dll->m_hModule == library)
            ++linked;
    EXPECT_EQ(1, linked) << "one CDynLinkLibrary for the library";
    ASSERT_NE(nullptr, AfxGetAppName());
    EXPECT_STREQ(AfxGetAppName(), VGetAppName());
}

TEST(FrameResourceGuard, GuardsRestoreInReverseOrderAndAssignmentCopiesTheSavedHandle)
{
    const HINSTANCE original = AfxGetResourceHandle();
    const auto fakeModule = [](UINT_PTR value) { return reinterpret_cast<HINSTANCE>(value); };
    {
        VModuleResourceHandle outer(GetPardalinDll());
        EXPECT_EQ(GetPardalinDll(), AfxGetResourceHandle());
        {
            VModuleResourceHandle inner(fakeModule(0x10000));
            EXPECT_EQ(fakeModule(0x10000), AfxGetResourceHandle());
        }
        EXPECT_EQ(GetPardalinDll(), AfxGetResourceHandle()) << "the outer guard's module is current again";
    }
    EXPECT_EQ(original, AfxGetResourceHandle());

    // Assignment copies the saved handle, so the target restores what the source would have.
    {
        VModuleResourceHandle first(fakeModule(0x20000));
        {
            VModuleResourceHandle second(fakeModule(0x30000));
            second = first;
        }
        EXPECT_EQ(original, AfxGetResourceHandle()) << "second restored what first had saved";
        AfxSetResourceHandle(fakeModule(0x20000));
    }
    EXPECT_EQ(original, AfxGetResourceHandle());
}

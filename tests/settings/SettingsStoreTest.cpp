#include "MemoryProfileStore.h"

#include "files/FileTestSupport.h"

#include "hostkit/IniProfileStore.h"
#include "settings/VProfileStore.h"
#include "settings/VSettingsStore.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

// A framework object that saves a name and a number.
class SavedLayout : public CObject
{
    DECLARE_SERIAL(SavedLayout)
public:
    CString name;
    int number = 0;

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << name << number;
        else
            ar >> name >> number;
    }
};
IMPLEMENT_SERIAL(SavedLayout, CObject, 1)

namespace
{

// Every test starts from a library just loaded: no shared key, no release versions, no decision taken, the
// memory store registered. The loaded versions are read by the first key of each test.
class SettingsStore : public testing::Test
{
protected:
    void SetUp() override
    {
        UseProfileStore(&factory);
        VSettingsStore::CleanUp();
        VSettingsStore::SetAppName(L"App");
        VSettingsStore::SetMenuBarVersion(0);
        VSettingsStore::SetToolBarVersion(0);
        VSettingsStore::m_bIsCurrentToolbarCustomized = false;
        VSettingsStore::m_iToolBarsToLoad = 0;
    }

    void TearDown() override
    {
        VSettingsStore::CleanUp();
        UseProfileStore(nullptr);
    }

    // The values of the shared key, as the back-end holds them.
    std::map<std::wstring, MemoryProfileData::Value>& Stored()
    {
        return factory.data->keys[L"AppMenuToolbarV2"];
    }

    MemoryProfileFactory factory;
};

TEST_F(SettingsStore, VersionBookkeepingDecidesWhatToLoad)
{
    // The stored values and the flag's value afterwards are -1 when absent.
    const struct
    {
        const char* what;
        DWORD releaseToolBar, releaseMenuBar;
        int storedToolBar, storedMenuBar, storedCustom, toLoad;
        bool customized;
        int customAfter;
        bool releaseGreater;
    } rows[] = {
        {"same versions", 5, 3, 5, 3, 1, 2 | 4, false, 1, false},
        {"customised toolbar of an older release", 6, 3, 5, 3, 1, 4, true, 0, false},
        {"older toolbar, not customised", 6, 3, 5, 3, 0, 4, false, 0, false},
        {"no stored versions", 6, 3, -1, -1, -1, 0, false, -1, true},
        {"only the toolbar is newer", 6, 3, 5, 3, -1, 4, false, -1, false},
        {"both newer", 6, 4, 5, 3, -1, 0, false, -1, true},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        SetUp();
        factory.data->keys.clear();
        VSettingsStore::SetToolBarVersion(row.releaseToolBar);
        VSettingsStore::SetMenuBarVersion(row.releaseMenuBar);
        VSettingsStore::SetToolBarBaseVersion(5);
        VSettingsStore::SetMenuBarBaseVersion(3);
        for (const auto& [name, value] : {std::pair{L"ToolBar-Version", row.storedToolBar},
                                          std::pair{L"MenuBar-Version", row.storedMenuBar},
                                          std::pair{L"ToolBar-IsCustom", row.storedCustom}})
            if (value >= 0)
                Stored()[name] = DWORD(value);

        VSettingsStore store;
        ASSERT_TRUE(store.CreateKey(L"Software\\Vendor\\App\\Workspace\\MFCToolBar-59392"));

        EXPECT_EQ(row.toLoad, VSettingsStore::FindToolBarsToLoad());
        EXPECT_EQ(row.customized, VSettingsStore::m_bIsCurrentToolbarCustomized);
        EXPECT_EQ(row.releaseGreater, VSettingsStore::ReleaseVersionGreaterThanLoadedVersion());
        EXPECT_EQ(row.storedToolBar == 5 && row.storedMenuBar == 3,
                  VSettingsStore::LoadedVersionIsBaseVersion());
        EXPECT_EQ(row.storedToolBar < 0 ? 0u : DWORD(row.storedToolBar),
                  VSettingsStore::m_dwLoadedToolBarVersion);
        const auto custom = Stored().find(L"ToolBar-IsCustom");
        EXPECT_EQ(row.customAfter, custom == Stored().end() ? -1 : int(std::get<DWORD>(custom->second)));
        EXPECT_EQ(row.customAfter > 0, VSettingsStore::IsToolBarCustomized());

        // Later keys of the process only record their names.
        Stored()[L"ToolBar-Version"] = DWORD(99);
        VSettingsStore later;
        ASSERT_TRUE(later.Open(L"Other"));
        EXPECT_EQ(row.storedToolBar < 0 ? 0u : DWORD(row.storedToolBar),
                  VSettingsStore::m_dwLoadedToolBarVersion);
        TearDown();
    }
}

TEST_F(SettingsStore, ValuesRoundTripUnderCombinedNames)
{
    VSettingsStore writer;
    ASSERT_TRUE(writer.CreateKey(L"Workspace\\Docking\\Bar1"));
    EXPECT_FALSE(writer.CreateKey(L"Workspace\\Bar2")) << "an object opens one key in its life";
    const CRect rect(-10, 20, 300, 400);
    BYTE bytes[] = {0, 1, 2, 255};
    EXPECT_TRUE(writer.Write(L"Rect", rect) && writer.Write(L"Name", L"Main window") &&
                writer.Write(L"Count", -5) && writer.Write(L"Flags", DWORD(0xFFFFFFFE)) &&
                writer.Write(L"Buttons", bytes, sizeof(bytes)));
    EXPECT_EQ(L"400, 300, 20, -10", std::get<std::wstring>(Stored()[L"Bar1-Rect"]));
    // Deleting is refused and the values stay.
    EXPECT_FALSE(writer.DeleteValue(L"Name") || writer.DeleteKey(L"Bar1") || writer.DeleteKey(L"Bar1", TRUE));

    // Another path with the same last component reads the same values.
    VSettingsStore reader;
    ASSERT_TRUE(reader.Open(L"Elsewhere\\Bar1"));
    CRect readRect;
    CString name;
    int count = 0;
    DWORD flags = 0;
    BYTE* data = nullptr;
    UINT size = 0;
    EXPECT_TRUE(reader.Read(L"Rect", readRect) && reader.Read(L"Name", name) &&
                reader.Read(L"Count", count) && reader.Read(L"Flags", flags));
    EXPECT_TRUE(readRect == rect && name == L"Main window" && count == -5 && flags == 0xFFFFFFFE);
    ASSERT_TRUE(reader.Read(L"Buttons", &data, &size));
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + sizeof(bytes)), std::vector<BYTE>(data, data + size));
    delete[] data;

    // A different last component sees nothing, and absent values leave the outputs alone.
    VSettingsStore other;
    other.CreateKey(L"Workspace\\Docking\\Bar2");
    CRect untouched(1, 2, 3, 4);
    int number = 17;
    data = nullptr;
    EXPECT_FALSE(other.Read(L"Rect", untouched) || other.Read(L"Count", number) ||
                 other.Read(L"Buttons", &data, &size));
    EXPECT_TRUE(untouched == CRect(1, 2, 3, 4) && number == 17 && data == nullptr);

    // An empty binary value counts as absent; a string that is no rectangle is not read as one.
    writer.Write(L"Empty", bytes, 0);
    EXPECT_FALSE(reader.Read(L"Empty", &data, &size) || reader.Read(L"Name", untouched));
    EXPECT_EQ(CRect(1, 2, 3, 4), untouched);
}

TEST_F(SettingsStore, FrameworkObjectsRoundTripAndBadBlobsAreRefused)
{
    VSettingsStore store;
    store.CreateKey(L"Bar1");
    SavedLayout saved;
    saved.name = CString(L'n', 3000) + L"\x263A"; // beyond one archive buffer
    saved.number = -3;
    CObject* pointer = &saved;
    ASSERT_TRUE(store.Write(L"Layout", pointer));

    SavedLayout loaded;
    CObject* target = &loaded;
    ASSERT_TRUE(store.Read(L"Layout", loaded) && store.Read(L"Layout", target));
    EXPECT_TRUE(loaded.name == saved.name && loaded.number == -3);

    // Cut short, filled with noise, or followed by bytes the object does not read: refused, no crash, and the
    // other values still readable.
    std::vector<BYTE>& blob = std::get<std::vector<BYTE>>(Stored()[L"Bar1-Layout"]);
    const std::vector<BYTE> whole = blob;
    std::vector<BYTE> extended = whole;
    extended.push_back(0);
    for (const auto& damaged : {std::vector<BYTE>(whole.begin(), whole.begin() + whole.size() / 2),
                                std::vector<BYTE>(64, 0xFF), extended})
    {
        blob = damaged;
        EXPECT_FALSE(store.Read(L"Layout", loaded)) << damaged.size() << " bytes";
    }
    CObject* nothing = nullptr;
    EXPECT_FALSE(store.Read(L"Layout", nothing));
    CString name;
    EXPECT_TRUE(store.Write(L"Name", L"still here") && store.Read(L"Name", name));
}

TEST_F(SettingsStore, ReadsAndWritesOnTwoThreadsNeverOverlapInTheBackEnd)
{
    VSettingsStore first, second;
    ASSERT_TRUE(first.CreateKey(L"Bar1") && second.CreateKey(L"Bar1"));
    factory.data->yieldsInside = 3;
    BYTE small[4] = {1, 2, 3, 4};
    std::vector<BYTE> large(4096, 7);
    std::thread writer(
        [&]
        {
            for (int i = 0; i < 300; ++i)
            {
                first.Write(L"Blob", i % 2 ? small : large.data(),
                            i % 2 ? sizeof(small) : UINT(large.size()));
                first.Write(L"Count", i);
            }
        });
    int bad = 0;
    for (int i = 0; i < 300; ++i)
    {
        BYTE* data = nullptr;
        UINT size = 0;
        // The size query and the read of the bytes belong to one hold of the lock: the bytes fit.
        if (second.Read(L"Blob", &data, &size))
            bad += size != sizeof(small) && size != large.size();
        delete[] data;
        int count = 0;
        second.Read(L"Count", count);
    }
    writer.join();
    EXPECT_EQ(0, factory.data->overlaps.load());
    EXPECT_EQ(0, bad);
}

TEST_F(SettingsStore, RecordedVersionsAndTheFilesOfTheHostkitStore)
{
    testkit::TempFolder scratch;
    const std::wstring& folder = scratch.Get();
    VIniProfileStoreFactory ini(folder.c_str());
    UseProfileStore(&ini);
    VSettingsStore::SetAppConfigPath((folder + L"\\").c_str());
    VSettingsStore::SetToolBarVersion(3);
    VSettingsStore::SetMenuBarVersion(2);

    EXPECT_FALSE(VSettingsStore::HasRecentCustomizeConfig());
    {
        VSettingsStore store;
        store.CreateKey(L"Bar1");
        VSettingsStore::StoreToolBarVersion();
        VSettingsStore::StoreMenuBarVersion();
        VSettingsStore::SetToolBarCustomized(true);
    }
    EXPECT_TRUE(VSettingsStore::HasRecentCustomizeConfig());
    EXPECT_FALSE(VSettingsStore::HasDeprecatedCustomizeConfig() || VSettingsStore::HasXmlCustomizeConfig() ||
                 VSettingsStore::HasIncompatibleCustomizeConfig());

    // The next release finds the customised toolbar of this one, and the same menu bar.
    VSettingsStore::CleanUp();
    VSettingsStore::SetToolBarVersion(4);
    VSettingsStore().CreateKey(L"Bar1");
    EXPECT_TRUE(VSettingsStore::HasIncompatibleCustomizeConfig());
    EXPECT_EQ(4, VSettingsStore::FindToolBarsToLoad());

    ASSERT_TRUE(filetest::WriteBytes(folder + L"\\AppMenuToolbar.ini", ""));
    VSettingsStore::SetAppConfigPath(folder.c_str());            // the separator is added when missing
    CreateDirectoryW(VSettingsStore::GetXmlFilePath(), nullptr); // a folder of that name counts as well
    EXPECT_STREQ((folder + L"\\AppMenuToolbar.xml").c_str(), VSettingsStore::GetXmlFilePath());
    EXPECT_TRUE(VSettingsStore::HasDeprecatedCustomizeConfig() && VSettingsStore::HasXmlCustomizeConfig());
}

TEST_F(SettingsStore, IsTheFrameworksDynamicSettingsStoreClass)
{
    // The framework makes its stores through the run-time class, so the dynamic creation is the part to
    // check.
    ASSERT_TRUE(CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(VSettingsStore)));
    {
        CSettingsStoreSP maker;
        CSettingsStore& store = maker.Create(FALSE, TRUE);
        EXPECT_TRUE(store.IsKindOf(RUNTIME_CLASS(VSettingsStore)) && store.CreateKey(L"Bar1") &&
                    store.Write(L"Value", 9));
        EXPECT_EQ(9u, std::get<DWORD>(Stored()[L"Bar1-Value"]));
    }
    CSettingsStoreSP::SetRuntimeClass(nullptr);
}

TEST_F(SettingsStore, NoHostStoreGivesFailedReadsAndNoCrash)
{
    UseProfileStore(nullptr);
    VSettingsStore store;
    store.CreateKey(L"Bar1");
    CString name;
    EXPECT_TRUE(store.Write(L"Name", L"lost") && !store.Read(L"Name", name));

    VProfileStore profile;
    VProfileKey key(*profile.GetRootKey(), L"Any");
    DWORD value = 5;
    EXPECT_FALSE(key.ReadDword(L"X", &value) || value != 5);
}
} // namespace

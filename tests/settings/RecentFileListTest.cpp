#include "MemoryProfileStore.h"

#include "settings/VRecentFileList.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
class RecentFiles : public testing::Test
{
protected:
    // The profile's values of the list, by name.
    std::map<std::wstring, MemoryProfileData::Value>& Stored() { return factory.data->keys[L"Recent"]; }

    void Store(const std::vector<const wchar_t*>& entries)
    {
        for (size_t i = 0; i < entries.size(); ++i)
            Stored()[L"File" + std::to_wstring(i + 1)] = std::wstring(entries[i]);
    }

    static std::vector<std::wstring> Entries(const CRecentFileList& list)
    {
        std::vector<std::wstring> entries;
        for (int i = 0; i < list.m_nSize; ++i)
            entries.emplace_back(list.m_arrNames[i].GetString());
        return entries;
    }

    std::vector<std::wstring> StoredEntries(int count)
    {
        std::vector<std::wstring> entries;
        for (int i = 1; i <= count; ++i)
        {
            const auto value = Stored().find(L"File" + std::to_wstring(i));
            entries.push_back(value == Stored().end() ? L"<absent>" : std::get<std::wstring>(value->second));
        }
        return entries;
    }

    void SetUp() override { UseProfileStore(&factory); }
    void TearDown() override { UseProfileStore(nullptr); }

    MemoryProfileFactory factory;
};

using Names = std::vector<std::wstring>;

// Both changes store the whole list at once; entries compare with case.
TEST_F(RecentFiles, AddingMovesUpOrDropsTheLastAndRemovingShortens)
{
    struct Row
    {
        bool add;
        const wchar_t* name;
        Names expected;
    };
    const Row rows[] = {
        {true, L"C", {L"C", L"A", L"B", L"D"}}, {true, L"E", {L"E", L"A", L"B", L"C"}},
        {true, L"c", {L"c", L"A", L"B", L"C"}}, {true, L"A", {L"A", L"B", L"C", L"D"}},
        {true, L"D", {L"D", L"A", L"B", L"C"}}, {false, L"b", {L"A", L"B", L"C", L"D"}},
        {false, L"B", {L"A", L"C", L"D", L""}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << (row.add ? "adding " : "removing ") << row.name);
        factory.data->keys.clear();
        Store({L"A", L"B", L"C", L"D"});
        VRecentFileList list(0, L"Recent", L"File%1!d!", 4);
        list.ReadList();
        row.add ? list.AddToMostRecent(row.name) : list.RemoveFromList(row.name);
        EXPECT_EQ(row.expected, Entries(list));
        EXPECT_EQ(row.expected, StoredEntries(4));
    }
}

TEST_F(RecentFiles, WriteListWritesOnlyWhatChanged)
{
    Store({L"A", L"B", L"C", L"D"});
    VRecentFileList list(0, L"Recent", L"File%1!d!", 4);
    list.ReadList();
    const int before = factory.data->writes;
    list.WriteList();
    EXPECT_EQ(before, factory.data->writes.load());

    list.AddToMostRecent(L"B"); // B, A, C, D: two entries change
    EXPECT_EQ(before + 2, factory.data->writes.load());
}

TEST_F(RecentFiles, UpdateMRUCountReplacesTheList)
{
    Store({L"A", L"B", L"C", L"D"});
    CRecentFileList* list = new VRecentFileList(0, L"Recent", L"File%1!d!", 4);
    list->ReadList();
    list->m_arrNames[3] = L"Z"; // stored on the way out

    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 6);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(Names({L"A", L"B", L"C", L"Z", L"", L""}), Entries(*list));
    EXPECT_EQ(Names({L"A", L"B", L"C", L"Z", L"", L""}), StoredEntries(6));
    EXPECT_TRUE(list->m_nStart == 0 && list->m_nMaxDisplayLength == 30);

    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 2);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(Names({L"A", L"B"}), Entries(*list));
    EXPECT_EQ(Names({L"A", L"B", L"C", L"Z"}), StoredEntries(4)) << "values beyond the new size remain";

    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 0);
    EXPECT_EQ(nullptr, list);
}

TEST_F(RecentFiles, CopiesOwnTheirEntries)
{
    Store({L"A", L"B"});
    VRecentFileList list(5, L"Recent", L"File%1!d!", 2);
    list.ReadList();
    {
        VRecentFileList copy(list);
        copy.m_arrNames[0] = L"changed";
        VRecentFileList assigned(0, L"Other", L"Entry%1!d!", 7);
        assigned = list;
        assigned.m_arrNames[1] = L"changed too";
        EXPECT_TRUE(assigned.m_nSize == 2 && assigned.m_nStart == 5 &&
                    assigned.m_strSectionName == L"Recent");
    }
    EXPECT_EQ(Names({L"A", L"B"}), Entries(list));
}

TEST_F(RecentFiles, EntryNamesComeFromTheMessageTemplate)
{
    VRecentFileList list(0, L"Recent", L"Entry %1!02d!", 3);
    list.AddToMostRecent(L"X");
    EXPECT_EQ(L"X", std::get<std::wstring>(Stored().at(L"Entry 01")));
    EXPECT_EQ(L"", std::get<std::wstring>(Stored().at(L"Entry 03")));

    // A template that cannot be formatted names every entry the same; the list still works.
    factory.data->keys.clear();
    VRecentFileList broken(0, L"Recent", L"%2", 3);
    broken.AddToMostRecent(L"Y");
    EXPECT_EQ(1u, Stored().size());
}
} // namespace

#include "MemoryProfileStore.h"

#include "settings/VRecentFileList.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>

namespace
{
class RecentFiles : public testing::Test
{
protected:
    // The profile's values of the list, by name.
    std::map<std::wstring, MemoryProfileData::Value>& Stored() { return factory.data->keys[L"Recent"]; }

    // Stores the entries File1, File2, ... and reads them into a new list of four.
    std::unique_ptr<VRecentFileList> ListOf(std::initializer_list<const wchar_t*> entries)
    {
        factory.data->keys.clear();
        int n = 0;
        for (const wchar_t* entry : entries)
            Stored()[L"File" + std::to_wstring(++n)] = std::wstring(entry);
        auto list = std::make_unique<VRecentFileList>(0, L"Recent", L"File%1!d!", 4);
        list->ReadList();
        return list;
    }

    // The list's entries and then the stored ones, File1 to FileN, comma-separated ("?" for an absent value).
    std::wstring Shape(const CRecentFileList& list, int stored)
    {
        std::wstring shape;
        for (int i = 0; i < list.m_nSize; ++i)
            shape += list.m_arrNames[i].GetString() + std::wstring(L",");
        shape += L"|";
        for (int i = 1; i <= stored; ++i)
        {
            const auto value = Stored().find(L"File" + std::to_wstring(i));
            shape += (value == Stored().end() ? L"?" : std::get<std::wstring>(value->second)) + L",";
        }
        return shape;
    }

    void SetUp() override { UseProfileStore(&factory); }
    void TearDown() override { UseProfileStore(nullptr); }

    MemoryProfileFactory factory;
};

// Both changes store the whole list at once; entries compare with case.
TEST_F(RecentFiles, AddingMovesUpOrDropsTheLastAndRemovingShortens)
{
    const struct
    {
        bool add;
        const wchar_t *name, *expected;
    } rows[] = {{true, L"C", L"C,A,B,D,"}, {true, L"E", L"E,A,B,C,"}, {true, L"c", L"c,A,B,C,"},
                {true, L"A", L"A,B,C,D,"}, {true, L"D", L"D,A,B,C,"}, {false, L"b", L"A,B,C,D,"},
                {false, L"B", L"A,C,D,,"}};
    for (const auto& row : rows)
    {
        SCOPED_TRACE(testing::Message() << (row.add ? "adding " : "removing ") << row.name);
        auto list = ListOf({L"A", L"B", L"C", L"D"});
        row.add ? list->AddToMostRecent(row.name) : list->RemoveFromList(row.name);
        EXPECT_EQ(std::wstring(row.expected) + L"|" + row.expected, Shape(*list, 4));
    }
}

TEST_F(RecentFiles, WriteListWritesOnlyWhatChanged)
{
    auto list = ListOf({L"A", L"B", L"C", L"D"});
    const int before = factory.data->writes;
    list->WriteList();
    EXPECT_EQ(before, factory.data->writes.load());
    list->AddToMostRecent(L"B"); // B, A, C, D: two entries change
    EXPECT_EQ(before + 2, factory.data->writes.load());
}

TEST_F(RecentFiles, UpdateMRUCountReplacesTheList)
{
    CRecentFileList* list = ListOf({L"A", L"B", L"C", L"D"}).release();
    list->m_arrNames[3] = L"Z"; // stored on the way out
    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 6);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(L"A,B,C,Z,,,|A,B,C,Z,,,", Shape(*list, 6));
    EXPECT_TRUE(list->m_nStart == 0 && list->m_nMaxDisplayLength == 30);
    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 2);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(L"A,B,|A,B,C,Z,", Shape(*list, 4)) << "values beyond the new size remain";
    VRecentFileList::UpdateMRUCount(L"Recent", L"File%1!d!", list, 0);
    EXPECT_EQ(nullptr, list);
}

TEST_F(RecentFiles, CopiesOwnTheirEntries)
{
    auto list = ListOf({L"A", L"B"});
    {
        VRecentFileList copy(*list), assigned(5, L"Other", L"Entry%1!d!", 7);
        copy.m_arrNames[0] = L"changed";
        assigned = *list;
        assigned.m_arrNames[1] = L"changed too";
        EXPECT_TRUE(assigned.m_nSize == 4 && assigned.m_nStart == 0 &&
                    assigned.m_strSectionName == L"Recent");
    }
    EXPECT_EQ(L"A,B,,,|A,B,", Shape(*list, 2));
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

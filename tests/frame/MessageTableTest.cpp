// The library's message table must hold every text exactly, line ends and double spaces included, because
// hosts and the library's own dialogs show them as they stand.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace
{
struct Entry
{
    DWORD id;
    const wchar_t* text;
};

const Entry kTable[] = {
    {0x61330002,
     L"Common Name is the fully qualified hostname/path used in DNS lookups for the machine that the "
     L"certificate represents.\r\n"},
    {0x61330003,
     L"The Organization field should be the legal name for your organization that is registered with "
     L"the appropriate city, state, or country/region authority.\r\n"},
    {0x61330004,
     L"The Organizational Unit field can be used to differentiate between different divisions within "
     L"an organization.\r\n"},
    {0x61330005,
     L"The Country field should be a standard, 2-character abbreviation for the country/region.\r\n"},
    {0x61330006,
     L"The State or Province field specifies where the organization is physically located. The name "
     L"used for this field should not be abbreviated.\r\n"},
    {0x61330007, L"The Locality field denotes the city in which the organization resides.\r\n"},
    {0x61330008, L"The E-mail field should be the e-mail address for the owner of this certificate.\r\n"},
    {0x61330009, L"Path is the fully-qualified path name of the file used to store the certificate.\r\n"},
    {0x6133000A, L"The certificate file already exists.  Do you want to overwrite it?\r\n"},
    {0x6133000E,
     L"The Certificate Expiration is the date after which the certificate will no longer be valid.\r\n"},
    {0x6133000F, L"The Key Size field specifies the number of bits for the certificate.\r\n"},
    {0x61330010, L"The minimum left margin is %1\r\n"},
    {0x61330011, L"The minimum right margin is %1\r\n"},
    {0x61330012, L"The minimum top margin is %1\r\n"},
    {0x61330013, L"The minimum bottom margin is %1\r\n"},
    {0x61330014, L"Margins are either off the page or overlap\r\n"},
    {0x61330015, L"Margins define too small an area: %1, %2, %3, %4\r\n"},
    {0x61330017,
     L"The toolbar and/or menu bar has changed. A new version will be created.\r\n\r\nIf you customized "
     L"the toolbar and/or menu bar and would like for the\r\nchanges to be available in the new version, "
     L"the customizations will\r\nneed to be redone.\r\n"},
    {0x61330018,
     L"New functionality has been added to the toolbar and/or menu bar.\r\nIf you choose to update your "
     L"toolbar and menu bar, your customizations\r\nwill be lost.\r\n\r\nWould you like to update the "
     L"toolbar and menu bar?\r\n"},
    {0xE1330001, L"Unexpected socket error.\r\n"},
    {0xE133000B,
     L"Access to the following folder is denied:\r\n\r\n'%1'\r\n\r\nPlease choose another folder.\r\n"},
    {0xE133000C, L"The folder is not valid:\r\n\r\n'%1'\r\n\r\nPlease choose another folder.\r\n"},
    {0xE133000D, L"Please enter an integer between %1 and %2.\r\n"},
    {0xE1330016, L"Enter a positive integer.\r\n"},
};

std::wstring RawText(HMODULE module, DWORD id)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        module, id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result(text ? text : L"", length);
    LocalFree(text);
    return result;
}
} // namespace

TEST(FrameMessageTable, HoldsEveryTextExactly)
{
    HMODULE library = LoadLibraryW(L"Pardalin67U.dll");
    ASSERT_NE(nullptr, library);
    for (const Entry& entry : kTable)
        EXPECT_EQ(std::wstring(entry.text), RawText(library, entry.id)) << std::hex << entry.id;
    FreeLibrary(library);
}

TEST(FrameMessageTable, HoldsNothingElse)
{
    HMODULE library = LoadLibraryW(L"Pardalin67U.dll");
    ASSERT_NE(nullptr, library);
    // Codes between and around the table's entries, in both severities.
    for (DWORD code = 0; code <= 0x20; ++code)
    {
        for (DWORD severity : {0x61330000u, 0xE1330000u})
        {
            const DWORD id = severity | code;
            bool listed = false;
            for (const Entry& entry : kTable)
                listed = listed || entry.id == id;
            if (!listed)
            {
                EXPECT_EQ(L"", RawText(library, id)) << std::hex << id;
            }
        }
    }
    FreeLibrary(library);
}

#include "AfxTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
// Counts its own destruction, so a test can see whether Delete (or END_CATCH) really freed it.
class CTrackedException : public CException
{
public:
    explicit CTrackedException(int* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CTrackedException() override { ++*m_pDestroyed; }

private:
    int* m_pDestroyed;
};
} // namespace

TEST(AfxException, DeleteFreesHeapExceptionsOnlyAndMessagesFitTheBuffer)
{
    int destroyed = 0;
    TRY
    {
        THROW(new CTrackedException(&destroyed));
    }
    CATCH(CFileException, e)
    {
        ADD_FAILURE() << "wrong handler";
    }
    AND_CATCH(CException, e)
    {
        EXPECT_EQ(0, destroyed);
    }
    END_CATCH
    EXPECT_EQ(1, destroyed) << "END_CATCH deletes the exception";
    CTrackedException onStack(&destroyed);
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete(); // not on the heap: Delete must leave it alone
    EXPECT_EQ(1, destroyed);

    // The preallocated memory exception survives its Delete and is thrown again.
    CMemoryException* first = nullptr;
    for (int i = 0; i < 2; ++i)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CMemoryException* e)
        {
            EXPECT_EQ(L"Out of memory.", ErrorMessageOf(*e));
            first = first != nullptr ? first : e;
            EXPECT_EQ(first, e);
            e->Delete();
        }
    }

    CInvalidArgException e;
    wchar_t buffer[8];
    UINT help = 99;
    EXPECT_TRUE(e.GetErrorMessage(buffer, 8, &help));
    EXPECT_STREQ(L"Encount", buffer);
    EXPECT_EQ(0u, help);
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    buffer[0] = L'x';
    EXPECT_FALSE(onStack.GetErrorMessage(buffer, 8)); // a bare CException has no description
    EXPECT_EQ(L'\0', buffer[0]);
}

TEST(AfxException, FileExceptionsNameTheFileAndMapSystemErrors)
{
    try
    {
        AfxThrowFileException(CFileException::sharingViolation, ERROR_SHARING_VIOLATION,
                              L"C:\\data\\log.txt");
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(ERROR_SHARING_VIOLATION, e->m_lOsError);
        EXPECT_EQ(L"A sharing violation occurred while accessing C:\\data\\log.txt.", ErrorMessageOf(*e));
        e->Delete();
    }
    EXPECT_EQ(L"an unnamed file was not found.",
              ErrorMessageOf(CFileException(CFileException::fileNotFound)));
    EXPECT_EQ(L"An attempt was made to read settings.dat past its end.",
              ErrorMessageOf(CArchiveException(CArchiveException::endOfFile, L"settings.dat")));

    const std::pair<LONG, int> causes[] = {{0, CFileException::none},
                                           {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
                                           {ERROR_PATH_NOT_FOUND, CFileException::badPath},
                                           {ERROR_ACCESS_DENIED, CFileException::accessDenied},
                                           {ERROR_DISK_FULL, CFileException::diskFull},
                                           {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
                                           {ERROR_HANDLE_EOF, CFileException::endOfFile},
                                           {ERROR_NOT_ENOUGH_QUOTA, CFileException::genericException}};
    for (const auto& [error, cause] : causes)
        EXPECT_EQ(cause, CFileException::OsErrorToException(error)) << error;
    CFileException::ThrowOsError(0, L"nothing.txt"); // no error, nothing thrown
    EXPECT_TRUE(ThrowsAfx<CFileException>([] { CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, L"x"); }));
}

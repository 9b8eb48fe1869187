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

TEST(AfxException, HeapExceptionsAreCaughtByPointerAndFreedByDelete)
{
    int destroyed = 0;
    try
    {
        throw new CTrackedException(&destroyed);
    }
    catch (CException* e)
    {
        EXPECT_TRUE(e->m_bAutoDelete);
        EXPECT_EQ(0, destroyed);
        e->Delete();
    }
    EXPECT_EQ(1, destroyed);

    CTrackedException onStack(&destroyed);
    onStack.m_bAutoDelete = FALSE;
    onStack.Delete(); // not on the heap: Delete must leave it alone
    EXPECT_EQ(1, destroyed);
}

TEST(AfxException, FileExceptionCarriesCauseErrorAndNameAndMapsSystemErrors)
{
    try
    {
        AfxThrowFileException(CFileException::sharingViolation, ERROR_SHARING_VIOLATION,
                              L"C:\\data\\log.txt");
    }
    catch (CException* e)
    {
        auto* pFile = DYNAMIC_DOWNCAST(CFileException, e);
        ASSERT_NE(nullptr, pFile);
        EXPECT_EQ(CFileException::sharingViolation, pFile->m_cause);
        EXPECT_EQ(ERROR_SHARING_VIOLATION, pFile->m_lOsError);
        EXPECT_EQ(L"C:\\data\\log.txt", pFile->m_strFileName);
        EXPECT_EQ(L"A sharing violation occurred while accessing C:\\data\\log.txt.", ErrorMessageOf(*e));
        e->Delete();
    }
    CFileException unnamed(CFileException::fileNotFound);
    EXPECT_EQ(L"an unnamed file was not found.", ErrorMessageOf(unnamed));
    EXPECT_EQ(-1, unnamed.m_lOsError);

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
    try
    {
        CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, L"Q:\\missing\\x.txt");
        ADD_FAILURE() << "ThrowOsError returned";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badPath, e->m_cause);
        EXPECT_EQ(L"Q:\\missing\\x.txt contains an incorrect path.", ErrorMessageOf(*e));
        e->Delete();
    }
}

TEST(AfxException, PreallocatedExceptionsSurviveDelete)
{
    CMemoryException* first = nullptr;
    for (int i = 0; i < 2; ++i)
    {
        try
        {
            AfxThrowMemoryException();
        }
        catch (CMemoryException* e)
        {
            EXPECT_FALSE(e->m_bAutoDelete);
            EXPECT_EQ(L"Out of memory.", ErrorMessageOf(*e));
            if (first == nullptr)
            {
                first = e;
            }
            EXPECT_EQ(first, e);
            e->Delete();
        }
    }
}

TEST(AfxException, GetErrorMessageTruncatesToTheBuffer)
{
    CInvalidArgException e;
    wchar_t buffer[8];
    UINT help = 99;
    EXPECT_TRUE(e.GetErrorMessage(buffer, 8, &help));
    EXPECT_STREQ(L"Encount", buffer);
    EXPECT_EQ(0u, help);
    EXPECT_FALSE(e.GetErrorMessage(buffer, 0));
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 8));

    int destroyed = 0;
    CTrackedException plain(&destroyed);
    buffer[0] = L'x';
    EXPECT_FALSE(plain.GetErrorMessage(buffer, 8)); // a bare CException has no description
    EXPECT_EQ(L'\0', buffer[0]);
}

// Nothing in the library uses the handler macros or archive exceptions: one smoke test.
TEST(AfxException, MacroHandlersAndArchiveExceptionSmoke)
{
    int destroyed = 0;
    bool handled = false;
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
        handled = true;
        EXPECT_EQ(0, destroyed);
    }
    END_CATCH
    EXPECT_TRUE(handled);
    EXPECT_EQ(1, destroyed) << "END_CATCH deletes the exception";

    CArchiveException archive(CArchiveException::endOfFile, L"settings.dat");
    EXPECT_EQ(L"An attempt was made to read settings.dat past its end.", ErrorMessageOf(archive));
}

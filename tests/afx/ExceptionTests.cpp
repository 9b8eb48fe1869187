#include "AfxTestSupport.h"

#include <gtest/gtest.h>

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

TEST(AfxException, FileExceptionCarriesCauseErrorAndName)
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
}

TEST(AfxException, OsErrorsMapToFileCauses)
{
    EXPECT_EQ(CFileException::none, CFileException::OsErrorToException(0));
    EXPECT_EQ(CFileException::fileNotFound, CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CFileException::badPath, CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(CFileException::accessDenied, CFileException::OsErrorToException(ERROR_ACCESS_DENIED));
    EXPECT_EQ(CFileException::diskFull, CFileException::OsErrorToException(ERROR_DISK_FULL));
    EXPECT_EQ(CFileException::lockViolation, CFileException::OsErrorToException(ERROR_LOCK_VIOLATION));
    EXPECT_EQ(CFileException::endOfFile, CFileException::OsErrorToException(ERROR_HANDLE_EOF));
    EXPECT_EQ(CFileException::genericException, CFileException::OsErrorToException(ERROR_NOT_ENOUGH_QUOTA));

    CFileException::ThrowOsError(0, L"nothing.txt"); // no error, nothing thrown
    try
    {
        CFileException::ThrowOsError(ERROR_PATH_NOT_FOUND, L"Q:\\missing\\x.txt");
        ADD_FAILURE() << "ThrowOsError returned";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badPath, e->m_cause);
        EXPECT_EQ(ERROR_PATH_NOT_FOUND, e->m_lOsError);
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
    EXPECT_TRUE(ThrowsAfx<CNotSupportedException>([] { AfxThrowNotSupportedException(); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxThrowInvalidArgException(); }));
    EXPECT_TRUE(ThrowsAfx<CResourceException>([] { AfxThrowResourceException(); }));
    EXPECT_TRUE(ThrowsAfx<CUserException>([] { AfxThrowUserException(); }));
    EXPECT_TRUE(ThrowsAfx<CArchiveException>([] { AfxThrowArchiveException(CArchiveException::endOfFile); }));
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

    CArchiveException archive(CArchiveException::endOfFile, L"settings.dat");
    EXPECT_EQ(L"An attempt was made to read settings.dat past its end.", ErrorMessageOf(archive));
    EXPECT_EQ(CArchiveException::endOfFile, archive.m_cause);

    int destroyed = 0;
    CTrackedException plain(&destroyed);
    buffer[0] = L'x';
    EXPECT_FALSE(plain.GetErrorMessage(buffer, 8)); // a bare CException has no description
    EXPECT_EQ(L'\0', buffer[0]);
}

TEST(AfxException, MacroHandlersDeleteTheExceptionAtEndCatch)
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
    EXPECT_EQ(1, destroyed);

    TRY
    {
        AfxThrowFileException(CFileException::diskFull);
    }
    CATCH_ALL(e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    }
    END_CATCH_ALL

    TRY
    {
        THROW(new CTrackedException(&destroyed));
    }
    END_TRY
    EXPECT_EQ(2, destroyed);
}

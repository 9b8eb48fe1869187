// The diagnostic macros in the flavour this test program is built as.
#include <afx.h>

#include <gtest/gtest.h>

TEST(AfxDiagnostics, AssertionsFollowTheBuildAndVerifyAlwaysEvaluates)
{
    int evaluated = 0;
    ASSERT(++evaluated > 0);
    TRACE(L"%d\n", ++evaluated);
    VERIFY(++evaluated > 0);
#if AFX_DIAGNOSTICS
    EXPECT_EQ(3, evaluated);
#else
    EXPECT_EQ(1, evaluated); // release builds drop ASSERT and TRACE with their arguments
#endif
}

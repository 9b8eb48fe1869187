#include "afxver_.h"

extern "C" AFX_API DWORD AfxGetStandInVersion()
{
    return 0x0900;
}

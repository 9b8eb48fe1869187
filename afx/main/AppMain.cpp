// The entry of an executable built on the framework: the system's wWinMain hands over to AfxWinMain, which
// runs the program's CWinApp object. Linked from the static library afxmain (see afxapp_.h).
#include <afxwin.h>

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}

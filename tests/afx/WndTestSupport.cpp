// The message map of the shared recording window.
#include "WndTestSupport.h"

namespace wndtest
{
BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_NCDESTROY()
ON_WM_SIZE()
END_MESSAGE_MAP()
} // namespace wndtest

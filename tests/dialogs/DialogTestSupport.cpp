#include "DialogTestSupport.h"

namespace dialogtest
{
BEGIN_MESSAGE_MAP(CScriptedDialog, VDialog)
ON_MESSAGE(WM_APP_SCRIPT, &CScriptedDialog::OnScript)
END_MESSAGE_MAP()
} // namespace dialogtest

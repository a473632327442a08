#include "platform/win/AfxManageState.h"

struct AFX_MODULE_STATE {};

namespace {
AFX_MODULE_STATE g_moduleState;
}

AFX_MODULE_STATE* AfxGetStaticModuleState() { return &g_moduleState; }

AFX_MODULE_STATE* AfxGetModuleState() { return &g_moduleState; }

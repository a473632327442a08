// Switching to a module's framework state. On Windows this selects the
// module's resources; here there is one resource table and one state, so the
// switch is a guard object that does nothing.
#pragma once

struct AFX_MODULE_STATE;

AFX_MODULE_STATE* AfxGetStaticModuleState();
AFX_MODULE_STATE* AfxGetModuleState();

class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*) noexcept {}
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
};

#define AFX_MANAGE_STATE(state) AFX_MAINTAIN_STATE2 hvManagedState_(state)

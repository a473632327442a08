// The property dialog of product-line items, in the sibling module
// "WIZARD.DLL" of the heating module's own folder (the folder of
// "Qev_Heating.crx"). A binding lives for one read or edit: it loads the
// module and its five functions, and unloads the module when it goes.
// Host thread only.
#pragma once

#include "platform/cadhost/SiblingExports.h"
#include "platform/win/WinTypes.h"

class propertyDialogBinding {
 public:
  propertyDialogBinding() = default;
  propertyDialogBinding(const propertyDialogBinding&) = delete;
  propertyDialogBinding& operator=(const propertyDialogBinding&) = delete;
  ~propertyDialogBinding() { unbind(); }

  // True when the module is loaded and all five functions exist.
  bool bound() const {
    return module != nullptr && dialog && freeList && setDate && getList && setData;
  }
  // Unloads the module (when this binding loaded it) and clears the functions.
  void unbind();

  HMODULE module = nullptr;
  HvPropertyDialogProc dialog = nullptr;     // "PPDlgW"
  HvPropertyFreeProc freeList = nullptr;     // "PPFree"
  HvPropertySetDateProc setDate = nullptr;   // "SetPP2DateW"
  HvPropertyGetListProc getList = nullptr;   // "PPGetResbufW"
  HvPropertySetDataProc setData = nullptr;   // "SetPPDataW"
};

// The module of the heating module, whose folder holds "WIZARD.DLL".
inline constexpr const char16_t* heatingModuleName = u"Qev_Heating.crx";

// Loads the module (when the binding holds none yet) and looks the five
// functions up; true only when the module loaded and all five exist.
bool bindPropertyDialog(propertyDialogBinding& binding);

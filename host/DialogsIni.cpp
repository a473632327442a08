#include "host/DialogsIni.h"

#include "platform/win/WinPath.h"

bool setDialogsIniFolder(CString& layoutFile, LPCWSTR folder) {
  CString path(folder);
  path.TrimRight(u"/\\");
  if (path.IsEmpty()) return true;
  if (!hvCreateDirectoryWithParents(path)) return false;
  layoutFile = path + u"\\" + dialogsIniName;
  return true;
}

#include "ui/gdi/strList.h"

bool strList::setAt(std::int32_t index, LPCWSTR text) {
  if (index < 0 || index >= kMaxEntries) return false;
  if (index >= count()) m_entries.resize(static_cast<std::size_t>(index) + 1);
  m_entries[static_cast<std::size_t>(index)].text = CString(text);
  return true;
}

CString strList::getAt(std::int32_t index) const {
  return inRange(index) ? m_entries[static_cast<std::size_t>(index)].text : CString();
}

std::intptr_t strList::getDataAt(std::int32_t index) const {
  return inRange(index) ? m_entries[static_cast<std::size_t>(index)].data : 0;
}

bool strList::setDataAt(std::int32_t index, std::intptr_t data) {
  if (!inRange(index)) return false;
  m_entries[static_cast<std::size_t>(index)].data = data;
  return true;
}

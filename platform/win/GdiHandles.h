// Pen and brush handles. Nothing is drawn with them here; they are opaque
// objects with a live count, so that tests can check that every handle made
// was deleted.
#pragma once

#include "platform/win/WinTypes.h"

#include <cstddef>

using COLORREF = DWORD;

constexpr COLORREF RGB(BYTE red, BYTE green, BYTE blue) {
  return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) | (static_cast<COLORREF>(blue) << 16);
}

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;

HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);

// FALSE for a null, unknown or already deleted handle.
BOOL DeleteObject(HGDIOBJ object);

// Pens and brushes made and not yet deleted.
std::size_t hvLiveGdiObjectCount();

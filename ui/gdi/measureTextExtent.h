// The width of a text in the preview's font. There is no screen, so the
// width is a fixed measure that layouts can rely on: 0.6 of the font height
// per character, a tab counting as 8 characters.
#pragma once

#include "platform/win/WinTypes.h"

// The width of `text` (null: empty) in a font of `height` units (the sign
// is ignored, as font heights may be given negative), rounded to whole
// units. The window (or none, for the main window) does not change it.
int measureTextExtent(HWND window, LPCWSTR text, int height);

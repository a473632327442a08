// Pen widths of the preview for drawing lineweights.
#pragma once

// A lineweight in hundredths of a millimetre (0 to 211) as a pen width of 1
// to 14 pixels: trunc(value / 211 * 14), at least 1. Other values give 1.
int lineweightToPenWidth(int value);

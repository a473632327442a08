// The narrow tips of an offset loop cut off where a pipe laid along the loop
// would come back nearer than the spacing s to itself.
//
// A tip is where the loop turns sharply (by 90 degrees or more within one
// spacing of its length, at a corner or over short sections between
// corners) and its two legs run on close together: a sharp corner, a corner
// squared or chamfered by short sections, a straight side meeting the
// polygon of a round wall. Two points of the legs more than 2 s apart along
// the loop must lie at least s apart; the stretch of the legs that holds a
// pair nearer than that is found on either side (to within s/64, the
// boundary where the nearest such partner lies exactly s away), and the
// tip is cut off there by a straight chord (tag 12). Where the legs never
// draw apart within the bound (the loop is narrow as a whole, a thin
// innermost loop), or the chord would be longer than 2 s or meet the rest of
// the loop, the tip stays. For two straight legs at an inside angle a below
// 60 degrees the chord lies s / (2 sin(a / 2)) from the corner on both legs
// and is s long; at 60 degrees or more nothing is cut.
//
// Bounds: at most as many cuts as the loop had sections; each leg is
// scanned at most kTipCutMaxLegSpacings spacings from the tip. Loops of fewer than
// three sections, loops with a section that is not a line, and loops of
// more than kMaxSections sections are left as they are.
//
// Threads: the loop belongs to the calling thread.
#pragma once

class COffsetLoop;

inline constexpr double kTipCutMaxLegSpacings = 40.0;

// Cuts the loop's narrow tips at the spacing. Answers how many were cut.
int cutNarrowTips(COffsetLoop& loop, double s);

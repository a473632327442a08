// What the preview of a zone design asks the host: the dash pattern of a
// pipe style's linetype and a length the host gives in millimetres. The
// zone's edges are drawn by CFHZoneDesign::drawBoundaryEdges.
//
// Lengths are drawing units: u is the process's drawing unit factor
// (usableDrawingUnitFactor: 1 when the host gives none).
//
// Threads: the command's thread (the host's words are not for others).
#pragma once

#include "heating/layout/record/CFHPipeStyle.h"

#include "platform/win/CString.h"

#include <optional>
#include <vector>

// A linetype's pattern as the preview dashes it: drawn parts and gaps in
// turn (two parts of one kind in a row are one), their lengths, total and
// the linetype's name.
struct CFHLinePattern {
  std::vector<double> lengths;
  std::vector<bool> drawn;  // a drawn part (a length of 0 is a dot) or a gap
  double total = 0.0;
  CString name = CString(u"CONTINUOUS");
};

// The pattern of the style's linetype from the host's dash list (word 60,
// the name in code page 1250): each length v becomes |v| x the style's
// scale x 8 / 1000 x u, drawn when v >= 0. No pattern without the host's
// table or word, without a dash list (CONTINUOUS and unknown names have
// none), or when a length is not finite.
std::optional<CFHLinePattern> linePatternFromHost(const CFHPipeStyle& style);

// A length and a second value as the host gives them; either may be missing.
struct CFHHostLength {
  std::optional<double> length;  // millimetres
  std::optional<double> second;
};

// Flag 0: the length x u x 0.001 (0 when missing); flag 1: the second value
// as it is (0 when missing); any other flag, or no host, 0.
double hostLengthValue(const CFHHostLength* host, int flag);

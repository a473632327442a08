// The creation tags (CFloorHeatingCurve::tag) of the curves the layout
// steps make and of the links the design lays between zones: each tag named
// once, here. A tag names the family of code that made a curve and passes on
// to every curve derived from it; no step decides anything by it.
//
// The other tags in use, each defined once where its curves are made:
//   7, 8, 9, 11  curves read from the drawing (heating/curves/HeatingCurvesFromDrawing.h)
//   13, 14       the pipe network's chain and connection line (heating/design/CFHPipeNetwork.h)
//   15           a zone boundary read back (heating/design/CFHDrawingInOutReadBack.cpp)
//   16, 0x11     a circuit's pipe and lead route read back (heating/design/CFHCircuitReadBack.cpp)
//
// Values only. Threads: any.
#pragma once

#include <cstdint>

// A line made only to measure, probe or intersect with (a cut, a lead tried,
// a prolongation, the meander's cross line) and never kept in a layout.
inline constexpr std::uint32_t kTagTestLine = 1;
// The lines that join the pieces of an offset level (OffsetLevelSteps).
inline constexpr std::uint32_t kTagLevelLine = 2;
// The pieces of edge paths (OffsetEdgePath.h).
inline constexpr std::uint32_t kTagEdgePathPiece = 3;
// The straight pieces between a zone's chain, its exit points and the next
// zone's pipe ends (the circuit path's links, CFHCircuitSegment::Part::kLink).
inline constexpr std::uint32_t kTagLinkSegment = 5;
// The meander's two sides and the runs copied from them (MeanderRuns.h).
inline constexpr std::uint32_t kTagMeanderSide = 10;
// The sides the spiral adds to its loops: a cut tip's chord, an unfolded
// side, a knee of a detour.
inline constexpr std::uint32_t kTagSpiralLine = 12;

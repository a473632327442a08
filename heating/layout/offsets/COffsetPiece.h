// One piece of a level's joined offset polygon while the level is built: the
// offset copy of one boundary curve, or a connecting line between two of them.
#pragma once

#include "heating/curves/CFloorHeatingCurve.h"

struct COffsetPiece {
  COffsetPiece(const CFloorHeatingCurve* source, CFloorHeatingCurve::Ptr curve)
      : source(source), curve(curve.release()) {}
  ~COffsetPiece() { delete curve; }
  COffsetPiece(const COffsetPiece&) = delete;
  COffsetPiece& operator=(const COffsetPiece&) = delete;

  // The boundary curve the piece was offset from (not owned); none for a
  // connecting piece.
  const CFloorHeatingCurve* source = nullptr;
  // The piece itself (owned).
  CFloorHeatingCurve* curve = nullptr;
};

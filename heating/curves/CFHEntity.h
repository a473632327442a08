// The marker base of the heating design's objects. It has no fields and no
// virtual members, so it must never be the pointer an object is deleted
// through: its destructor is protected. Heating curves are handed out and
// deleted as CFloorHeatingCurve (whose destructor is virtual).
#pragma once

class CFHEntity {
 protected:
  CFHEntity() = default;
  ~CFHEntity() = default;
  CFHEntity(const CFHEntity&) = default;
  CFHEntity& operator=(const CFHEntity&) = default;
};

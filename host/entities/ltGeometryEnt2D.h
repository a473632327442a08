// The frame of the entity copies that carry one geometry value (a segment,
// an arc, a point, an outline ...): the value, clone, and reading and
// writing the list through the kind's reader and writer.
//
// A kind derives as `class K final : public ltGeometryEnt2D<K, Geometry>`,
// befriends the frame and provides
//   static bool readGeometry(Geometry&, const resbuf* list);
//   static resbuf* writeGeometry(const ltEntProps&, const Geometry&, const resbuf* previous);
// The reader is all or nothing (the frame reads into a scratch value and
// takes it only on success); the writer answers a new list or null (the copy
// then stays dirty). Ownership and threads as for ltEnt2D.
#pragma once

#include <memory>
#include <type_traits>

#include "host/entities/ltEnt2D.h"
#include "platform/ge/XtGeCurve2d.h"

template <class Kind, class Geometry>
class ltGeometryEnt2D : public ltEnt2D {
 public:
  const Geometry& geometry() const { return geometry_; }
  // For edits in place; the caller marks the copy dirty (markDirty).
  Geometry& geometry() { return geometry_; }

  std::unique_ptr<ltEnt2D> clone() const override {
    return std::unique_ptr<ltEnt2D>(new Kind(static_cast<const Kind&>(*this)));
  }

  // Rewrites the list from the properties and the geometry, carrying over
  // from the current list what the kind keeps.
  void writeList() override { adoptWrittenList(Kind::writeGeometry(getProps(), geometry_, getList())); }

 protected:
  ltGeometryEnt2D() = default;
  // Copies the geometry, then takes the holder's list (may be null) without
  // reading its geometry: only the properties are parsed; the copy stays
  // dirty.
  ltGeometryEnt2D(const Geometry& geometry, ltListRef* holder) : geometry_(geometry) { setFromResbuf(holder, false); }
  ltGeometryEnt2D(const ltGeometryEnt2D&) = default;

  bool readList(const resbuf* list) override {
    Geometry read;
    if (!Kind::readGeometry(read, list)) return false;
    geometry_ = std::move(read);
    return true;
  }

 private:
  Geometry geometry_;
};

// The frame of the curve kinds: getCurve answers the geometry.
template <class Kind, class Curve>
class ltCurveEnt2D : public ltGeometryEnt2D<Kind, Curve> {
  static_assert(std::is_base_of_v<XtGeCurve2d, Curve>);

 public:
  const XtGeCurve2d* getCurve() const override { return &this->geometry(); }
  XtGeCurve2d* getCurve() override { return &this->geometry(); }

 protected:
  using ltGeometryEnt2D<Kind, Curve>::ltGeometryEnt2D;
  ltCurveEnt2D(const ltCurveEnt2D&) = default;
};

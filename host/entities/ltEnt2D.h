// The base of every entity copy: one drawing entity as the module holds it.
//
// A copy keeps three things together: the entity's group-code list as the host
// gave it (or as it will be handed back), the common properties parsed out of
// that list, and, for the geometric kinds, the geometry. Code that edits the
// geometry or the properties marks the copy dirty; the list is rebuilt by the
// kind's writer when somebody asks for it (getUpdatedList), and everything the
// rebuild does not own (extended data, groups of other subclasses, the
// extension dictionary and reactor sections) is carried over.
//
// Ownership: the list lives in an ltListRef holder shared by reference count
// between a copy and its clones; each copy holds one reference and a list is
// copied before it is edited in place (editableList). The properties block is
// the copy's own and never points into the list (ltEntProps.h). Copies are
// owned through std::unique_ptr by whoever made them (factories, clone and
// the readers answer unique pointers).
//
// A kind derives from ltEnt2D and provides entType, clone (a copy that shares
// the holder: use the protected copy constructor), readList (its list reader)
// and writeList (its list writer, through adoptWrittenList); see the comments
// at those members for their contracts.
//
// Threads: a copy, its clones and the lists they share stay on one thread
// (the host's); the reference count is a plain integer.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "host/entities/ltEntKind.h"
#include "host/entities/ltEntProps.h"
#include "host/ltListRef.h"

class XtGeBoundBlock2d;
class XtGeCurve2d;
class XtGeMatrix2d;
class XtGePoint2d;
class ltEnt2D;

// An array of owned copies (the output of the cutting operations).
using ltEntArray = std::vector<std::unique_ptr<ltEnt2D>>;

// The status a copy answers when its kind's reader refuses a list.
inline constexpr int ltListRefused = 3;

class ltEnt2D {
 public:
  virtual ~ltEnt2D();
  ltEnt2D& operator=(const ltEnt2D&) = delete;

  // The held list (the copy keeps it); null without one. It may be stale
  // while the copy is dirty.
  const resbuf* getList() const { return holder_ ? holder_->list : nullptr; }

  // The held list brought up to date. Mode 2, or mode 0 on a dirty copy,
  // rewrites it through writeList and, when the writer gave a list (or found
  // nothing to rewrite), parses the properties again from it (by-layer
  // defaults first). Mode 1 only answers. The answer is null while the copy
  // is dirty (its writer failed; the properties are then left as they were,
  // for another try) or has no list.
  const resbuf* getUpdatedList(int mode);

  // Takes the holder's list (one more reference). With `parse` the kind's
  // reader reads it first; when the reader refuses, the answer is
  // ltListRefused and nothing changes (list, fields, properties and dirty
  // flag stay). Without `parse` the geometry is left alone: the list is
  // attached and only the properties are parsed. A holder of narrow texts is
  // refused. The dirty flag is not changed. Answers 0 on success.
  int setFromResbuf(ltListRef* holder, bool parse);

  // setFromResbuf with a fresh holder of a deep copy of the list (none for a
  // null list); after a failure the copy is freed, after success this copy
  // alone holds it.
  int setFromList(const resbuf* list, bool parse);

  // Drops the held list and, for a non-null list, holds this one (taken over
  // without copying, count 1); then parses the properties from it. The
  // extended data and handle of the properties always follow the held list.
  void setList(resbuf* list);

  // The held list made this copy's own (copied when shared), for edits in
  // place; null without a list. Properties are not parsed again.
  resbuf* editableList();

  // The holder, for code that hands the list to another copy (null when none).
  ltListRef* getHolder() const { return holder_; }

  // The geometry of the curve kinds; null for the others.
  virtual const XtGeCurve2d* getCurve() const { return nullptr; }
  virtual XtGeCurve2d* getCurve() { return nullptr; }

  // Rewrites the held list from the properties and the geometry. A kind's
  // writer builds a new list (entity header first, its groups, a copy of the
  // properties' tail last, carrying over what it does not own from the
  // current list) and hands it to adoptWrittenList; when it cannot build one,
  // nothing changes and the copy stays dirty. The base does nothing.
  virtual void writeList() {}

  virtual ltEntKind entType() const = 0;

  // Cutting by a curve (ltEnt2DCutting.cpp). Selectors are masks of the
  // position codes (1 outside, 2 inside, 4 on): a piece stays when its code
  // shares a bit with the selector. The pieces are new copies appended to
  // `out`, owned by it; they keep this copy's properties (its handle too:
  // whoever hands them to the host as new entities clears it).
  // splitByCurve appends the pieces of the copy cut where the curve meets
  // it; splitByCurveBounded appends those that stay and sets `inside` (when
  // given) when a piece was dropped. With a reference point the cutter
  // first becomes the region on the point's side (cutFrameByCurve) within
  // `bounds`, or within the extents of the copy and the cutter when none are
  // given (none when either is unbounded: then nothing is appended). The
  // answer is the number of pieces that could not become copies. The base,
  // for kinds that are not cut: a clone, inside cleared, answer 1.
  virtual int splitByCurve(const XtGeCurve2d& cutter, ltEntArray& out);
  virtual int splitByCurveBounded(const XtGeCurve2d& cutter, ltEntArray& out, int selector, bool* inside,
                                  const XtGePoint2d* referencePoint, const XtGeBoundBlock2d* bounds);
  // Cuts with each curve in turn: the pieces of one curve are cut by the
  // next; the pieces of the last go to `out`. The selector of curve i is
  // selectors[i], or 6 (inside or on) when the array is shorter. A curve whose
  // cut reports a dropped piece is added once to `cutting` when given. Null
  // curves are passed over. Answers the count of the last cut (0 for none).
  int splitByCurves(std::span<const XtGeCurve2d* const> cutters, ltEntArray& out, std::span<const int> selectors,
                    std::vector<const XtGeCurve2d*>* cutting, const XtGePoint2d* referencePoint,
                    const XtGeBoundBlock2d* bounds);

  // A new copy of the same kind sharing the holder, with copies of the
  // properties, the dirty flag and the geometry; owned by the caller.
  virtual std::unique_ptr<ltEnt2D> clone() const = 0;

  ltEntProps& getProps() { return props_; }
  const ltEntProps& getProps() const { return props_; }

  // Moves the copy by the matrix (ltEnt2DTransform.cpp). True when it
  // followed; the copy is then dirty, so that getUpdatedList rewrites its
  // list. A kind that cannot follow (a circular arc under a non-uniform
  // scale) answers false and stays unchanged. The base answers false.
  virtual bool transformBy(const XtGeMatrix2d& matrix);
  // Runs the copy the other way (ltEnt2DTransform.cpp): the same point set,
  // the ends swapped. The base answers false and changes nothing.
  virtual bool reverseParam();
  // Sets (merge false) or widens (merge true) the block by the copy's
  // extents (ltEnt2DExtents.cpp). The base answers false, block untouched.
  virtual bool getExtents(XtGeBoundBlock2d& extents, bool merge) const;
  // Equal under workTol (ltEnt2DEquality.cpp); never equal to another kind.
  // The base: equal as soon as the kinds are.
  virtual bool isEqualTo(const ltEnt2D& other) const;

  // True while the list does not reflect the geometry and properties: from
  // construction and after markDirty until a successful writeList.
  bool isDirty() const { return dirty_; }
  void markDirty() { dirty_ = true; }

 protected:
  // No list, by-layer properties, dirty.
  ltEnt2D() = default;
  // For clone: shares the holder (one more reference), copies the properties
  // and the dirty flag.
  ltEnt2D(const ltEnt2D& other);

  // The kind's list reader: true when the list (possibly null) is of the
  // kind and holds its required groups. It must be all or nothing: read into
  // locals and assign the kind's fields only when it answers true (the
  // properties are parsed by the caller afterwards, never by the reader).
  // The base refuses everything.
  virtual bool readList(const resbuf* list);

  // For writeList: holds the written list (taken over) and clears the dirty
  // flag; a null list changes nothing. Answers whether a list was taken.
  bool adoptWrittenList(resbuf* list);

  void clearDirty() { dirty_ = false; }

 private:
  void parseHeldProperties();

  ltListRef* holder_ = nullptr;
  ltEntProps props_;
  bool dirty_ = true;
};

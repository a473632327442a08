#include "geometry/curveCopying.h"

#include "geometry/hvArrayEdit.h"

#include <new>
#include <vector>

namespace {

struct pieceEntry {
  XtGeCurve2d* curve;
  std::int32_t flag;
};

// Far more replacements than any drawing's nesting needs; only a guard.
constexpr int kMaxExplodeSteps = 1 << 24;

// The direct pieces of a curve: a composite's own pieces (borrowed), or
// what the curve's explode gives.
bool directPieces(const XtGeCurve2d& curve, std::vector<pieceEntry>& out) {
  if (curve.type() == XtGe::kCompositeCrv2d) {
    const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
    for (int k = 0; k < composite.numCurves(); ++k) {
      // The list type holds non-const pointers; a borrowed piece is never
      // changed through it (copyCurvesOnce makes an own copy first).
      out.push_back({const_cast<XtGeCurve2d*>(composite.curveAt(k)), kCurveBorrowed});
    }
    return !out.empty();
  }
  XtGeCurve2dPtrArray curves;
  XtGeIntArray ownership;
  if (!curve.explode(curves, ownership)) return false;
  for (int k = 0; k < curves.length(); ++k) {
    const std::int32_t flag = k < ownership.length() ? ownership[k] : kCurveBorrowed;
    out.push_back({curves[k], flag == kCurveOwned ? kCurveOwned : kCurveBorrowed});
  }
  return !out.empty();
}

void deleteOwned(const std::vector<pieceEntry>& pieces) {
  for (const pieceEntry& p : pieces)
    if (p.flag == kCurveOwned) delete p.curve;
}

// Makes the flags as long as the list; missing flags count as owned.
bool padFlags(const curvePtrArray& list, curveFlagArray& flags) {
  while (flags.count() < list.count())
    if (flags.append(kCurveOwned) < 0) return false;
  return true;
}

bool explodeItem(int i, curvePtrArray& list, curveFlagArray* flags) {
  if (i < 0 || i >= list.count() || list[i] == nullptr) return false;
  if (flags != nullptr && !padFlags(list, *flags)) return false;
  XtGeCurve2d* item = list[i];
  const bool owned = flags == nullptr || (*flags)[i] == kCurveOwned;
  std::vector<pieceEntry> pieces;
  if (!directPieces(*item, pieces)) {
    deleteOwned(pieces);
    return false;
  }
  if (owned) {
    // The item goes; what it lends must be copied before.
    for (pieceEntry& p : pieces) {
      if (p.flag == kCurveOwned) continue;
      p.curve = copyCurve2d(p.curve);
      p.flag = kCurveOwned;
      if (p.curve == nullptr) {
        p.flag = kCurveBorrowed;
        deleteOwned(pieces);
        return false;
      }
    }
  }
  curvePtrArray newList(list.count() + static_cast<std::int32_t>(pieces.size()));
  curveFlagArray newFlags(flags != nullptr ? newList.capacity() : 0);
  bool ok = true;
  for (int k = 0; k < list.count() && ok; ++k) {
    if (k != i) {
      ok = newList.append(list[k]) >= 0 && (flags == nullptr || newFlags.append((*flags)[k]) >= 0);
      continue;
    }
    for (const pieceEntry& p : pieces)
      ok = ok && newList.append(p.curve) >= 0 && (flags == nullptr || newFlags.append(p.flag) >= 0);
  }
  if (!ok) {
    if (owned) deleteOwned(pieces);
    return false;
  }
  list.swap(newList);
  if (flags != nullptr) flags->swap(newFlags);
  if (owned) delete item;
  return true;
}

}  // namespace

XtGeCurve2d* copyCurve2d(const XtGeCurve2d* curve) {
  if (curve == nullptr) return nullptr;
  try {
    return curve->copy();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

std::unique_ptr<XtGeCompositeCurve2d> asComposite(std::unique_ptr<XtGeCurve2d> curve) {
  if (!curve) return nullptr;
  if (curve->type() == XtGe::kCompositeCrv2d)
    return std::unique_ptr<XtGeCompositeCurve2d>(static_cast<XtGeCompositeCurve2d*>(curve.release()));
  std::vector<std::unique_ptr<XtGeCurve2d>> single;
  single.push_back(std::move(curve));
  return std::make_unique<XtGeCompositeCurve2d>(std::move(single));
}

void copyCurveListTo(const curvePtrArray& source, curvePtrArray& target) {
  for (const XtGeCurve2d* curve : source) {
    XtGeCurve2d* copy = copyCurve2d(curve);
    if (copy != nullptr && target.append(copy) < 0) delete copy;
  }
}

bool explodeGeCurve(const XtGeCurve2d& curve, curvePtrArray& pieces, curveFlagArray& flags) {
  std::vector<pieceEntry> direct;
  if (!directPieces(curve, direct) || !padFlags(pieces, flags)) {
    deleteOwned(direct);
    return false;
  }
  curvePtrArray directCurves(static_cast<std::int32_t>(direct.size()));
  curveFlagArray directFlags(static_cast<std::int32_t>(direct.size()));
  for (const pieceEntry& p : direct) {
    directCurves.append(p.curve);
    directFlags.append(p.flag);
  }
  const int first = pieces.count();
  if (directCurves.count() != static_cast<std::int32_t>(direct.size()) ||
      directFlags.count() != directCurves.count() || !pieces.append(directCurves)) {
    deleteOwned(direct);
    return false;
  }
  if (!flags.append(directFlags)) {
    // Out of memory: the list goes back to what it was.
    hvArrayTruncate(pieces, first);
    deleteOwned(direct);
    return false;
  }
  // Nested composites are replaced by their pieces in place; a replaced
  // item is looked at again.
  int i = first;
  for (int steps = 0; i < pieces.count() && steps < kMaxExplodeSteps; ++steps)
    if (!explodeItem(i, pieces, &flags)) ++i;
  return true;
}

bool explodeCurveListItem(int i, curvePtrArray& list, curveFlagArray& flags) {
  return explodeItem(i, list, &flags);
}

bool explodeCurveListItem(int i, curvePtrArray& list) { return explodeItem(i, list, nullptr); }

void explodeCurveList(curvePtrArray& list) {
  for (int i = 0; i < list.count(); ++i) {
    XtGeCurve2d* curve = list[i];
    if (curve == nullptr) continue;
    curvePtrArray pieces;
    curveFlagArray flags;
    if (!explodeGeCurve(*curve, pieces, flags)) continue;
    // Own copies of the borrowed pieces, then the pieces take the curve's place.
    copyCurvesOnce(pieces, flags);
    bool complete = true;
    for (int k = 0; k < pieces.count(); ++k) complete = complete && flags[k] == kCurveOwned;
    if (!complete) {
      for (int k = 0; k < pieces.count(); ++k)
        if (flags[k] == kCurveOwned) delete pieces[k];
      continue;
    }
    curvePtrArray replaced;
    bool ok = true;
    for (int k = 0; k < list.count() && ok; ++k)
      ok = k == i ? replaced.append(pieces) : replaced.append(list[k]) >= 0;
    if (!ok) {
      for (XtGeCurve2d* piece : pieces) delete piece;
      continue;
    }
    list.swap(replaced);
    delete curve;
    i += pieces.count() - 1;
  }
}

void copyCurvesOnce(curvePtrArray& list, curveFlagArray& flags) {
  while (flags.count() < list.count())
    if (flags.append(kCurveBorrowed) < 0) return;
  for (int i = 0; i < list.count(); ++i) {
    if (flags[i] == kCurveOwned || list[i] == nullptr) continue;
    XtGeCurve2d* copy = copyCurve2d(list[i]);
    if (copy == nullptr) continue;
    list[i] = copy;
    flags[i] = kCurveOwned;
  }
}

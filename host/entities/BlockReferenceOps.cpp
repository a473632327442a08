#include "host/entities/BlockReferenceOps.h"

#include <algorithm>
#include <cmath>

#include "geometry/curveBoundBlock.h"
#include "geometry/cutFrameByCurve.h"
#include "geometry/makeUniqueBlockName.h"
#include "host/HostExport.h"
#include "host/entities/ltInsert2D.h"
#include "host/entities/nameCompare.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"

namespace {

// The selectors of clipByCurves: the first array keeps what lies inside or
// on its curves, the second cuts away what lies inside its curves.
constexpr int kKeepInsideOrOn = 6;
constexpr int kKeepOutside = 1;

// The circular arc as the elliptical arc of the same points and parameters.
XtGeEllipArc2d asEllipse(const XtGeCircArc2d& arc) {
  const XtGeVector2d major = arc.refVec();
  XtGeVector2d minor(-major.y, major.x);
  XtGeEllipArc2d ellipse(arc.center(), major, minor, arc.radius(), arc.radius(), arc.startAng(), arc.endAng());
  // A clockwise arc turns the other way from its reference vector.
  if (!ellipse.startPoint().isEqualTo(arc.startPoint(), XtGeTol(1e-9 * (1.0 + arc.radius()), 0.0)))
    ellipse.set(arc.center(), major, -minor, arc.radius(), arc.radius(), arc.startAng(), arc.endAng());
  return ellipse;
}

// A copy of the curve placed by the matrix; circular arcs that cannot follow
// (a non-uniform scale) are placed as their elliptical images. Null when the
// curve cannot be placed.
std::unique_ptr<XtGeCurve2d> placedCurve(const XtGeCurve2d& curve, const XtGeMatrix2d& matrix) {
  std::unique_ptr<XtGeCurve2d> copy(curve.copy());
  if (copy && copy->transformBy(matrix)) return copy;
  if (curve.type() == XtGe::kCircArc2d) {
    auto image = std::make_unique<XtGeEllipArc2d>(asEllipse(static_cast<const XtGeCircArc2d&>(curve)));
    return image->transformBy(matrix) ? std::move(image) : nullptr;
  }
  if (curve.type() != XtGe::kCompositeCrv2d) return nullptr;
  const auto& composite = static_cast<const XtGeCompositeCurve2d&>(curve);
  std::vector<std::unique_ptr<XtGeCurve2d>> placed;
  for (int i = 0; i < composite.numCurves(); ++i) {
    std::unique_ptr<XtGeCurve2d> piece = placedCurve(*composite.curveAt(i), matrix);
    if (!piece) return nullptr;
    placed.push_back(std::move(piece));
  }
  return std::make_unique<XtGeCompositeCurve2d>(std::move(placed));
}

bool equalScales(const XtGeScale3d& scale) {
  const double x = std::fabs(scale.sx);
  const double y = std::fabs(scale.sy);
  return x + 1e-9 >= y && y >= x - 1e-9;
}

// The kinds whose transform the explosion relies on: a refusal means the
// block cannot be placed. The catch-all kind moves only aligned dimensions
// and hands every other list on as read.
bool mustFollow(const ltEnt2D& entity) { return entity.entType() != ltEntKind::unknown; }

int explodeReference(ltInsert2D& insert, ltEntArray& out, const HostExport2D* table, blockCache* cache, bool nested,
                     std::vector<std::u16string>& open) {
  if (nested && !equalScales(insert.scale)) return 0;
  // A block already being exploded would explode without end.
  for (const std::u16string& name : open)
    if (sameNameNoCase(name, insert.blockName)) return 0;
  ltEntArray entities;
  if (!insert.getBlockEntities(entities, table, cache)) return 0;
  const XtGeMatrix2d placement = insert.getTransform();
  open.push_back(insert.blockName);
  bool ok = true;
  // Nested results are appended behind and placed in their turn; the walk
  // ends when no entity is left (each nested block adds a bounded count,
  // and a block cannot nest itself).
  for (std::size_t i = 0; ok && i < entities.size(); ++i) {
    ltEnt2D& entity = *entities[i];
    if (entity.entType() == ltEntKind::insert) {
      ltEntArray inner;
      ok = explodeReference(static_cast<ltInsert2D&>(entity), inner, table, cache, true, open) != 0;
      for (auto& piece : inner) entities.push_back(std::move(piece));
      entities[i].reset();
    } else if (!entity.transformBy(placement) && mustFollow(entity)) {
      ok = false;
    }
  }
  open.pop_back();
  if (!ok) return 0;
  for (auto& entity : entities)
    if (entity) out.push_back(std::move(entity));
  return 1;
}

// Makes a block through word 111 from the pieces (block coordinates):
// answers the name the host defined, empty when it made none.
std::u16string makeBlock(const HostExport2D* table, std::u16string name, const XtGePoint2d& base, ltEntArray& pieces) {
  constexpr std::size_t kNameSize = 128;
  if (name.size() >= kNameSize) return {};
  std::u16string buffer(name);
  buffer.resize(kNameSize, u'\0');
  const int anonymous = !name.empty() && name.front() == u'*' ? 1 : 0;
  if (callHostWordOf<111>(table, 0, buffer.data(), nullptr, anonymous, base.x, base.y, 0.0).value_or(0) !=
      hostStatus::normal)
    return {};
  for (auto& piece : pieces) {
    // A piece is a new entity of the block: the source's handle stays with
    // the source.
    piece->getProps().handle.clear();
    if (const resbuf* list = piece->getUpdatedList(2))
      callHostWordOf<111>(table, 1, buffer.data(), list, 0, 0.0, 0.0, 0.0);
  }
  if (callHostWordOf<111>(table, 2, buffer.data(), nullptr, 0, 0.0, 0.0, 0.0).value_or(0) != hostStatus::normal)
    return {};
  return std::u16string(buffer.c_str());
}

// The cutting curves in block coordinates, beside the given ones.
struct blockCutters {
  std::vector<std::unique_ptr<XtGeCurve2d>> curves;
  std::vector<const XtGeCurve2d*> given;
  std::vector<int> selectors;
};

}  // namespace

std::u16string makeUniqueName(std::u16string_view) { return makeUniqueBlockName(0); }

bool ltInsert2D::getBlockExtents(XtGeBoundBlock2d& extents, const HostExport2D* table, bool merge) {
  ltEntArray entities;
  if (!getBlockEntities(entities, table, nullptr)) return false;
  const XtGeMatrix2d placement = getTransform();
  bool contributed = false;
  for (const auto& entity : entities) {
    const XtGeCurve2d* curve = entity->getCurve();
    if (curve == nullptr) continue;
    const std::unique_ptr<XtGeCurve2d> placed = placedCurve(*curve, placement);
    if (placed && curveBoundBlock(*placed, extents, contributed || merge)) contributed = true;
  }
  return contributed;
}

int ltInsert2D::explode(ltEntArray& out, const HostExport2D* table, blockCache* cache, bool nested) {
  std::vector<std::u16string> open;
  return explodeReference(*this, out, table, cache, nested, open);
}

std::unique_ptr<ltInsert2D> ltInsert2D::clipByCurves(std::span<const XtGeCurve2d* const> keepInside,
                                                     std::span<const XtGeCurve2d* const> cutAway,
                                                     const HostExport2D* table, const XtGeMatrix2d& outer,
                                                     blockCache* cache, bool nested,
                                                     std::vector<const XtGeCurve2d*>& cutting,
                                                     std::span<ltListRef* const> lists, const XtGePoint2d& base,
                                                     bool anonymous) {
  cutting.clear();
  auto sameReference = [this] { return std::unique_ptr<ltInsert2D>(static_cast<ltInsert2D*>(clone().release())); };
  ltEntArray entities;
  const bool read = lists.empty() ? getBlockEntities(entities, table, cache)
                                  : getBlockEntitiesFromLists(entities, lists, base, cache);
  if (!read) return sameReference();
  const XtGeMatrix2d working = outer * getTransform();
  XtGeMatrix2d toBlock = working;
  if (!toBlock.invert()) return sameReference();

  // The cutters in block coordinates, each with its selector.
  blockCutters cutters;
  auto add = [&](std::span<const XtGeCurve2d* const> curves, int selector) {
    for (const XtGeCurve2d* curve : curves) {
      if (curve == nullptr) continue;
      std::unique_ptr<XtGeCurve2d> local(curve->copy());
      if (!local || !local->transformBy(toBlock)) return false;
      cutters.curves.push_back(std::move(local));
      cutters.given.push_back(curve);
      cutters.selectors.push_back(selector);
    }
    return true;
  };
  if (!add(keepInside, kKeepInsideOrOn) || !add(cutAway, kKeepOutside)) return sameReference();
  // A lone open cutter of an anonymous clip becomes the region on the base
  // point's side of it around the block's content.
  const bool lone = (keepInside.size() == 1) != (cutAway.size() == 1) && cutters.curves.size() == 1;
  if (anonymous && lone && !cutters.curves[0]->xtIsClosed()) {
    XtGeBoundBlock2d content;
    bool any = false;
    for (const auto& entity : entities) any = entity->getExtents(content, any) || any;
    std::uint8_t side = 0;
    if (any) {
      if (auto region = cutFrameByCurve(*cutters.curves[0], content, basePoint, side)) cutters.curves[0] = std::move(region);
    }
  }
  std::vector<const XtGeCurve2d*> local;
  for (const auto& curve : cutters.curves) local.push_back(curve.get());

  ltEntArray pieces;
  bool changed = false;
  for (auto& entity : entities) {
    if (entity->entType() == ltEntKind::insert) {
      auto& inner = static_cast<ltInsert2D&>(*entity);
      std::vector<const XtGeCurve2d*> innerCutting;
      auto clipped = inner.clipByCurves(keepInside, cutAway, table, working, cache, true, innerCutting, {}, {}, true);
      for (const XtGeCurve2d* curve : innerCutting)
        if (std::find(cutting.begin(), cutting.end(), curve) == cutting.end()) cutting.push_back(curve);
      if (!clipped || clipped->blockName != inner.blockName) changed = true;
      if (clipped) pieces.push_back(std::move(clipped));
      continue;
    }
    std::vector<const XtGeCurve2d*> cut;
    entity->splitByCurves(local, pieces, cutters.selectors, &cut, nullptr, nullptr);
    for (const XtGeCurve2d* curve : cut) {
      const auto at = std::find(local.begin(), local.end(), curve) - local.begin();
      const XtGeCurve2d* given = cutters.given[static_cast<std::size_t>(at)];
      if (std::find(cutting.begin(), cutting.end(), given) == cutting.end()) cutting.push_back(given);
      changed = true;
    }
  }

  auto answer = sameReference();
  if ((changed && !pieces.empty()) || (nested && !entities.empty())) {
    const std::u16string made =
        makeBlock(table, anonymous ? makeUniqueBlockName(0) : makeUniqueName(blockName), basePoint, pieces);
    // A block the host did not make leaves the reference on its old block.
    if (!made.empty()) {
      answer->blockName = made;
      answer->markDirty();
    }
  }
  if (pieces.empty() && !nested) return nullptr;
  return answer;
}

// Cutting self-crossing loops out of a chain of curves.
#include "geometry/curveChainOffset.h"
#include "geometry/curveChainOffsetDetail.h"

#include "geometry/Tolerances.h"
#include "geometry/curveCopying.h"
#include "geometry/regionCombination.h"
#include "platform/ge/XtGeCurveCurveInt2d.h"

#include <vector>

using namespace chainOffsetDetail;

namespace {

// Touching the other curve at the crossing point is where the two parts
// meet, so it counts as lying outside or inside.
bool liesOutside(int relation) { return relation == kRelationOutside || relation == kRelationOutsideTouching; }
bool liesInside(int relation) { return relation == kRelationInside || relation == kRelationInsideTouching; }

std::unique_ptr<XtGeCurve2d> copyOf(const XtGeCurve2d& curve) {
  return std::unique_ptr<XtGeCurve2d>(copyCurve2d(&curve));
}

bool startsAt(const XtGeCurve2d* curve, const XtGePoint2d& point) {
  XtGePoint2d p;
  return curve != nullptr && startOf(*curve, p) && p.isEqualTo(point, workTol);
}

bool endsAt(const XtGeCurve2d* curve, const XtGePoint2d& point) {
  XtGePoint2d p;
  return curve != nullptr && endOf(*curve, p) && p.isEqualTo(point, workTol);
}

class loopRemover {
 public:
  loopRemover(ownedChain& chain, std::vector<std::int32_t>& sources) : m_chain(chain), m_sources(sources) {}

  // Finds the first crossing whose cut is kept and makes the cut. False when
  // there is none.
  bool cutOnce() {
    const std::size_t n = m_chain.size();
    if (n < 2) return false;
    XtGePoint2d first;
    XtGePoint2d last;
    const bool closed =
        startOf(*m_chain.front(), first) && endOf(*m_chain.back(), last) && first.isEqualTo(last, workTol);
    std::vector<XtGeBoundBlock2d> boxes;
    boxes.reserve(n);
    for (const auto& piece : m_chain) {
      boxes.push_back(piece->xtOrthoBoundBlock());
      boxes.back().swell(workTol.equalPoint());
    }
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) {
        if (boxes[i].isDisjoint(boxes[j])) continue;
        XtGePoint2d crossing;
        if (crossingOf(i, j, closed, crossing) && tryCut(i, j, crossing, closed)) return true;
      }
    }
    return false;
  }

 private:
  // The point where pieces i < j cross: for neighbours their first common
  // point other than the joint they share, for others their first.
  bool crossingOf(std::size_t i, std::size_t j, bool closed, XtGePoint2d& crossing) const {
    const XtGeCurveCurveInt2d hits(*m_chain[i], *m_chain[j], XtGeContext::gTol);
    const bool afterEachOther = j == i + 1;
    const bool acrossTheClosure = closed && i == 0 && j == m_chain.size() - 1;
    XtGePoint2d jointAfter;
    XtGePoint2d jointBefore;
    const bool hasAfter = afterEachOther && endOf(*m_chain[i], jointAfter);
    const bool hasBefore = acrossTheClosure && startOf(*m_chain[i], jointBefore);
    for (int k = 0; k < hits.numIntPoints(); ++k) {
      const XtGePoint2d x = hits.intPoint(k);
      if ((hasAfter && x.isEqualTo(jointAfter, workTol)) || (hasBefore && x.isEqualTo(jointBefore, workTol)))
        continue;
      crossing = x;
      return x.isFinite();
    }
    return false;
  }

  // Splits the chain at the crossing of pieces i < j into the loop (pieces
  // between them, closed by their cut parts) and the rest, and keeps the
  // part the relation rules choose. False, nothing changed, when the cut is
  // not kept.
  bool tryCut(std::size_t i, std::size_t j, const XtGePoint2d& crossing, bool closed) {
    std::unique_ptr<XtGeCurve2d> loopEnd = copyOf(*m_chain[j]);
    std::unique_ptr<XtGeCurve2d> loopStart = copyOf(*m_chain[i]);
    std::unique_ptr<XtGeCurve2d> restEnd = copyOf(*m_chain[i]);
    std::unique_ptr<XtGeCurve2d> restStart = copyOf(*m_chain[j]);
    if (!loopEnd || !loopStart || !restEnd || !restStart) return false;
    cutAtBestPoint(loopEnd, loopStart, nullptr);
    cutAtBestPoint(restEnd, restStart, nullptr);
    // A crossing at a piece's end leaves one of them unclosed or gapped.
    if (!endsAt(loopEnd.get(), crossing) || !startsAt(loopStart.get(), crossing) ||
        !endsAt(restEnd.get(), crossing) || !startsAt(restStart.get(), crossing))
      return false;

    std::vector<const XtGeCurve2d*> loop{loopStart.get()};
    for (std::size_t k = i + 1; k < j; ++k) loop.push_back(m_chain[k].get());
    loop.push_back(loopEnd.get());
    std::vector<const XtGeCurve2d*> rest;
    for (std::size_t k = 0; k < i; ++k) rest.push_back(m_chain[k].get());
    rest.push_back(restEnd.get());
    rest.push_back(restStart.get());
    for (std::size_t k = j + 1; k < m_chain.size(); ++k) rest.push_back(m_chain[k].get());
    const std::unique_ptr<XtGeCompositeCurve2d> loopCurve = compositeOfCopies(loop);
    const std::unique_ptr<XtGeCompositeCurve2d> restCurve = compositeOfCopies(rest);

    const int restToLoop = classifyCurveRelation(*restCurve, *loopCurve);
    bool keepLoop = false;
    if (closed && liesInside(restToLoop)) {
      keepLoop = true;
    } else if (!liesOutside(restToLoop) ||
               (closed && !liesInside(classifyCurveRelation(*loopCurve, *restCurve)))) {
      return false;
    }
    double whole = 0.0;
    for (const auto& piece : m_chain) whole += piece->length(XtGeContext::gTol);
    const double kept = keepLoop ? loopCurve->totalLength() : restCurve->totalLength();
    if (!(kept < whole - workTol.equalPoint())) return false;

    ownedChain chain;
    std::vector<std::int32_t> sources;
    auto take = [&](std::size_t k) {
      chain.push_back(std::move(m_chain[k]));
      sources.push_back(m_sources[k]);
    };
    if (keepLoop) {
      chain.push_back(std::move(loopStart));
      sources.push_back(m_sources[i]);
      for (std::size_t k = i + 1; k < j; ++k) take(k);
      chain.push_back(std::move(loopEnd));
      sources.push_back(m_sources[j]);
    } else {
      for (std::size_t k = 0; k < i; ++k) take(k);
      chain.push_back(std::move(restEnd));
      sources.push_back(m_sources[i]);
      chain.push_back(std::move(restStart));
      sources.push_back(m_sources[j]);
      for (std::size_t k = j + 1; k < m_chain.size(); ++k) take(k);
    }
    m_chain.swap(chain);
    m_sources.swap(sources);
    return true;
  }

  ownedChain& m_chain;
  std::vector<std::int32_t>& m_sources;
};

}  // namespace

bool removeChainLoops(curvePtrArray& curves, chainSourceArray& sources) {
  const std::int32_t n = curves.count();
  if (sources.count() != n) return true;
  for (const XtGeCurve2d* curve : curves)
    if (curve == nullptr) return true;
  ownedChain chain;
  moveListToChain(curves, chain);
  std::vector<std::int32_t> chainSources(sources.begin(), sources.end());
  // A kept cut removes one self-crossing and makes none (both results are
  // parts of the chain), and two pieces cross at most four times.
  const std::int64_t maxCuts = 2 * static_cast<std::int64_t>(n) * n;
  loopRemover remover(chain, chainSources);
  for (std::int64_t cut = 0; cut < maxCuts && remover.cutOnce(); ++cut) {
  }
  sources.removeAll();
  for (const std::int32_t source : chainSources) sources.append(source);
  moveChainToList(chain, curves);
  return true;
}

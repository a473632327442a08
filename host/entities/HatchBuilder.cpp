#include "host/entities/HatchBuilder.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "geometry/Tolerances.h"
#include "geometry/curveArea.h"
#include "host/CodePageText.h"
#include "host/ResbufChain.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "host/entities/ltHatch2D.h"
#include "platform/ge/XtGeCompositeCurve2d.h"

namespace {

// The path flags the builders give their loops: external and polyline for
// a solid fill, external for a pattern.
constexpr std::int32_t kSolidLoopFlags = 7;
constexpr std::int32_t kPatternLoopFlags = 1;

bool allClosed(std::span<const XtGeCurve2d* const> boundaries) {
  if (boundaries.empty()) return false;
  for (const XtGeCurve2d* boundary : boundaries)
    if (boundary == nullptr || !boundary->xtIsClosed(workTol)) return false;
  return true;
}

// The boundaries as loops of composites (a curve of another kind becomes the
// one piece of its composite), transformed by the matrix when one is given.
bool loopsOf(std::span<const XtGeCurve2d* const> boundaries, std::int32_t flags, const XtGeMatrix2d* matrix,
             std::vector<ltHatchLoop>& loops) {
  for (const XtGeCurve2d* boundary : boundaries) {
    ltHatchLoop& loop = loops.emplace_back();
    loop.flags = flags;
    if (boundary->type() == XtGe::kCompositeCrv2d) {
      loop.curve = *static_cast<const XtGeCompositeCurve2d*>(boundary);
    } else {
      std::vector<std::unique_ptr<XtGeCurve2d>> piece;
      piece.emplace_back(boundary->copy());
      if (!piece.back()) return false;
      loop.curve.setCurveList(std::move(piece));
    }
    if (matrix && !loop.curve.transformBy(*matrix)) return false;
  }
  return true;
}

// The hatch body of the provisional list up to its first path flags.
void addBody(entityListPairs& pairs, std::u16string_view name, bool solid) {
  pairs.add(100, u"AcDbHatch");
  pairs.addPoint(10, 0.0, 0.0);
  pairs.add(210, std::array<double, 3>{0.0, 0.0, 1.0});
  pairs.add(2, name);
  pairs.add(70, solid ? 1 : 0);
  pairs.add(71, 0);
  pairs.add(91, solid ? 1 : 2);
  pairs.add(92, solid ? kSolidLoopFlags : kPatternLoopFlags);
}

void addSeed(entityListPairs& pairs) {
  pairs.add(98, 1);
  pairs.addPoint(10, 0.0, 0.0);
}

// The list a temporary hatch copy writes from the loops, the pattern lines
// and the provisional list (taken over); a copy of it, or null.
resbuf* rewrittenThroughCopy(resbuf* provisional, std::vector<ltHatchLoop> loops,
                             std::vector<ltHatchPatternLine> lines) {
  if (provisional == nullptr) return nullptr;
  ltHatch2D hatch;
  hatch.loops() = std::move(loops);
  hatch.patternLines() = std::move(lines);
  hatch.setList(provisional);
  const resbuf* list = hatch.getUpdatedList(2);
  return list ? copyResbufChain(list, false) : nullptr;
}

// One definition line of a host pattern as a hatch's pattern line.
bool patternLineOf(const HostHatchPatternLine& definition, double rotation, double scale,
                   ltHatchPatternLine& line) {
  if (definition.dashCount < 0 || (definition.dashCount > 0 && definition.dashes == nullptr)) return false;
  const double angle = definition.angle * XtGe::kPi / 180.0;
  line.angle = angle + rotation;
  line.base = XtGePoint2d(definition.baseX * scale, definition.baseY * scale).rotateBy(rotation);
  line.offset = XtGeVector2d(definition.offsetAlong * scale, definition.offsetAcross * scale).rotateBy(angle);
  line.offset.rotateBy(rotation);
  for (std::int32_t i = 0; i < definition.dashCount; ++i) line.dashes.push_back(definition.dashes[i] * scale);
  return allFinite({line.angle, line.base.x, line.base.y, line.offset.x, line.offset.y});
}

}  // namespace

resbuf* entBuilder2D::solidHatch(const ltEntProps& props, std::span<const XtGeCurve2d* const> boundaries,
                                 const XtGeMatrix2d& matrix) {
  if (!allClosed(boundaries)) return nullptr;
  std::vector<ltHatchLoop> loops;
  if (!loopsOf(boundaries, kSolidLoopFlags, &matrix, loops)) return nullptr;
  entityListPairs pairs(props, u"HATCH");
  addBody(pairs, u"SOLID", true);
  for (int code : {72, 73}) pairs.add(code, 1);
  pairs.add(75, 2);
  pairs.add(76, 1);
  addSeed(pairs);
  // A plain fill in the gradient groups: no gradient, no colours.
  for (int code : {450, 451}) pairs.add(code, 0);
  for (int code : {460, 461}) pairs.add(code, 0.0);
  pairs.add(452, 0);
  pairs.add(462, 0.0);
  pairs.add(453, 0);
  pairs.add(470, u"LINEAR");
  return rewrittenThroughCopy(pairs.build(props), std::move(loops), {});
}

resbuf* entBuilder2D::solidHatchOne(const ltEntProps& props, const XtGeCurve2d& boundary, const void*) {
  const XtGeCurve2d* const boundaries[] = {&boundary};
  return solidHatch(props, boundaries);
}

resbuf* writeHatch(const ltEntProps& props, std::span<const XtGeCurve2d* const> boundaries,
                   const HostHatchPattern* pattern, double rotation, double scale, const void*,
                   const double* patternAngle) {
  const std::string_view name =
      pattern ? std::string_view(pattern->name, strnlen(pattern->name, sizeof pattern->name)) : "SOLID";
  if (name == "SOLID") return entBuilder2D::solidHatch(props, boundaries);
  if (!allClosed(boundaries) || !(scale > 0.0) || !allFinite({rotation, scale}) ||
      (patternAngle && !std::isfinite(*patternAngle)) || pattern->lineCount < 0 ||
      (pattern->lineCount > 0 && pattern->lines == nullptr))
    return nullptr;
  std::vector<ltHatchLoop> loops;
  if (!loopsOf(boundaries, kPatternLoopFlags, nullptr, loops)) return nullptr;

  const std::u16string wideName = hvMbToWide(name);  // lives until the list is built
  entityListPairs pairs(props, u"HATCH");
  addBody(pairs, wideName, false);
  pairs.add(75, 1);
  pairs.add(76, 1);
  pairs.add(52, patternAngle ? *patternAngle : rotation);
  pairs.add(41, scale);
  pairs.add(77, 1);
  pairs.add(78, pattern->lineCount);
  std::vector<ltHatchPatternLine> lines;
  for (std::int32_t i = 0; i < pattern->lineCount; ++i) {
    ltHatchPatternLine& line = lines.emplace_back();
    if (!patternLineOf(pattern->lines[i], rotation, scale, line)) return nullptr;
    resbuf* groups = writeHatchPatternLine(line);
    if (groups == nullptr) return nullptr;
    pairs.splice(groups);
  }
  addSeed(pairs);
  return rewrittenThroughCopy(pairs.build(props), std::move(loops), std::move(lines));
}

int hatchTreeArea(const bndLevel& tree, double& area) {
  // Depth first with an explicit stack: deep trees do not deepen the call
  // stack. Every node is visited once.
  struct level {
    const bndLevel* nodes;
    int next;
    int depth;
  };
  std::vector<level> stack{{&tree, 0, 0}};
  double sum = 0.0;
  while (!stack.empty()) {
    level& top = stack.back();
    if (top.next >= top.nodes->count()) {
      stack.pop_back();
      continue;
    }
    const bndNode* node = (*top.nodes)[top.next++];
    const int depth = top.depth;
    if (node == nullptr) continue;
    double nodeArea = 0.0;
    if (node->curve == nullptr || !getCurveArea(*node->curve, nodeArea)) return 6;
    sum += depth % 2 == 0 ? std::fabs(nodeArea) : -std::fabs(nodeArea);
    stack.push_back({&node->children, 0, depth + 1});
  }
  area = sum;
  return 0;
}

// Curve entities through the stand-in host, for the ezdxf checks.
//
// write IN.dxf OUT.dxf: builds every curve kind as drawn, moved near 1e7 and
// scaled to 1e-3, each with extended data naming it, hands each list to the
// host (word 114) and saves. One JSON line per case: {"name", "list": the
// groups handed over, "pieces": the geometry built}.
// read IN.dxf: one JSON line per model-space entity the host hands out (word
// 167): {"handle", "kind" (of entReader2D::anyEntity), "pieces", "widths"}.
//
// Pieces: [start, middle, end, clockwise] of every bounded piece (a
// composite's pieces, a SOLID's outline), [base, base + unit direction into
// the curve] of an unbounded one, [location] of a POINT.
#include <cstdio>
#include <string>

#include "host/GroupCodeType.h"
#include "host/HostExport.h"
#include "host/Tolerances.h"
#include "host/entities/curveListDispatch.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltPoint2D.h"
#include "host/entities/ltPolyline2D.h"
#include "host/entities/ltSolid2D.h"
#include "host/entities/lwPolylineList.h"
#include "host/entities/pointList.h"
#include "host/entities/solidList.h"
#include "platform/cadhost/HostStatus.h"
#include "host/ResbufBuilder.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeEllipArc2d.h"
#include "platform/ge/XtGeLine2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeRay2d.h"
#include "tests/host/entities/CurveListSupport.h"
#include "tests/host/entities/tools/ToolSupport.h"

namespace {

using toolSupport::fail;

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}

std::string xy(const XtGePoint2d& p) { return "[" + num(p.x) + ", " + num(p.y) + "]"; }

std::string groups(const resbuf* list) {
  std::string out;
  for (const resbuf* n = list; n; n = n->next) {
    out += (out.empty() ? "[[" : ", [") + std::to_string(n->code) + ", ";
    const double* p = n->value.point;
    switch (hvGroupCodeClass(n->code)) {
      case hvClassString:
        out += '"';
        for (const char16_t* c = n->value.str; c && *c; ++c) out += *c < 128 ? static_cast<char>(*c) : '?';
        out += '"';
        break;
      case hvClassReal: out += num(n->value.real); break;
      case hvClassPoint: out += "[" + num(p[0]) + ", " + num(p[1]) + ", " + num(p[2]) + "]"; break;
      case hvClassInt32: out += std::to_string(n->value.i32); break;
      default: out += std::to_string(n->value.i16);
    }
    out += "]";
  }
  return out + "]";
}

std::string piece(const XtGeCurve2d& c) {
  XtGeInterval range;
  c.getInterval(range);
  if (!range.isBounded()) {
    const bool above = range.isBoundedAbove();
    const double at = above ? range.upperBound() : range.isBoundedBelow() ? range.lowerBound() : 0.0;
    const XtGePoint2d base = c.xtEvalPoint(at);
    return "[" + xy(base) + ", " + xy(base + (c.xtEvalPoint(above ? at - 1 : at + 1) - base).normal()) + "]";
  }
  const double lo = range.lowerBound(), hi = range.upperBound();
  const bool cw = (c.type() == XtGe::kCircArc2d && static_cast<const XtGeCircArc2d&>(c).isClockWise()) ||
                  (c.type() == XtGe::kEllipArc2d && static_cast<const XtGeEllipArc2d&>(c).isClockWise());
  return "[" + xy(c.xtEvalPoint(lo)) + ", " + xy(c.xtEvalPoint((lo + hi) / 2)) + ", " + xy(c.xtEvalPoint(hi)) + ", " +
         (cw ? "true" : "false") + "]";
}

std::string pieces(const XtGeCurve2d& c) {
  if (c.type() != XtGe::kCompositeCrv2d) return "[" + piece(c) + "]";
  const auto& composite = static_cast<const XtGeCompositeCurve2d&>(c);
  std::string out = "[";
  for (int i = 0; i < composite.numCurves(); ++i) out += (i ? ", " : "") + piece(*composite.curveAt(i));
  return out + "]";
}

// Every kind placed by the matrix; most go through writeCurve2d.
void writeAll(const XtGeMatrix2d& m, const std::string& tag) {
  auto hand = [&](const std::string& name, const std::string& placed, auto build) {
    ltEntProps props;
    props.layer = u"KRIVKY";
    const std::u16string text(name.begin(), name.end());
    props.setTail(ownedChain(buildResbufList({{1001, u"QEV_DATA"}, {1000, text}, {1040, 2.5}, {1070, 7}})));
    ownedChain list(build(props));
    if (!list || callHostWord<114>(list.get(), 0, 0).value_or(0) != hostStatus::normal) fail(name + " not written");
    std::printf("{\"name\": \"%s\", \"list\": %s, \"pieces\": %s}\n", name.c_str(), groups(list.get()).c_str(),
                placed.c_str());
  };
  auto curve = [&](const std::string& name, const XtGeCurve2d& c, const std::vector<double>* widths = nullptr) {
    std::unique_ptr<XtGeCurve2d> placed(c.copy());
    placed->transformBy(m);
    hand(name + tag, pieces(*placed), [&](const ltEntProps& props) {
      return widths ? entBuilder2D::polyline(props, c, m, nullptr, widths) : writeCurve2d(props, c, m, nullptr);
    });
  };
  XtGeRay2d below(XtGePoint2d(1, 1), XtGeVector2d(1, 2)), above(XtGePoint2d(1, 1), XtGeVector2d(-2, 1));
  above.reverseParam();
  curve("line", XtGeLineSeg2d({1, 2}, {7, -3}));
  curve("arc ccw", XtGeCircArc2d({3, 4}, 2.5, 0.3, 2.9));
  curve("arc cw", XtGeCircArc2d({3, 4}, 2.5, 0.3, 4.0, {0, 1}, true));
  curve("circle", XtGeCircArc2d({-2, 1}, 1.5));
  curve("ellipse full", XtGeEllipArc2d({1, 1}, {0.6, 0.8}, {-0.8, 0.6}, 4.0, 1.5));
  curve("ellipse part", XtGeEllipArc2d({1, 1}, {0.6, 0.8}, {-0.8, 0.6}, 4.0, 1.5, 5.5, 8.0));
  curve("ellipse cw", XtGeEllipArc2d({1, 1}, {1, 0}, {0, -1}, 1.0, 3.0, 0.5, 2.0));
  curve("xline", XtGeLine2d(XtGePoint2d(2, 3), XtGeVector2d(3, 4)));
  curve("ray below", below);
  curve("ray above", above);
  const XtGeCompositeCurve2d open = chain({new XtGeLineSeg2d({0, 0}, {10, 0}), new XtGeCircArc2d({10, 0}, {10, 6}, 0.6),
                                           new XtGeCircArc2d({10, 6}, {4, 8}, -0.3), new XtGeLineSeg2d({4, 8}, {0, 8})});
  const XtGeCompositeCurve2d closed = chain({new XtGeLineSeg2d({0, 0}, {10, 0}), new XtGeCircArc2d({10, 0}, {10, 10}, 1),
                                             new XtGeLineSeg2d({10, 10}, {0, 10}), new XtGeCircArc2d({0, 10}, {0, 0}, -0.4)});
  const std::vector<double> constant{0.5, 0.5}, varying{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8};
  curve("polyline", open);
  curve("polyline constant", open, &constant);
  curve("polyline closed varying", closed, &varying);
  const XtGePoint2d location(5, 6);
  hand("point" + tag, "[[" + xy(m * location) + "]]",
       [&](const ltEntProps& props) { return entBuilder2D::point(props, location, m, nullptr); });
  const XtGePoint2d corners[] = {{0, 0}, {4, 0}, {5, 3}, {-1, 2}};
  for (int n : {3, 4}) {
    std::vector<std::unique_ptr<XtGeCurve2d>> sides;
    for (int i = 0; i < n; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(corners[i], corners[(i + 1) % n]));
    const XtGeCompositeCurve2d outline(std::move(sides));
    XtGeCompositeCurve2d placed(outline);
    placed.transformBy(m);
    hand("solid " + std::to_string(n) + tag, pieces(placed),
         [&](const ltEntProps& props) { return entBuilder2D::solid(props, outline, m); });
  }
}

void write() {
  callHostWord<17>();
  writeAll(XtGeMatrix2d::kIdentity, "");
  writeAll(XtGeMatrix2d::translation({1e7, -1e7}), " far");
  writeAll(XtGeMatrix2d::scaling(1e-3), " tiny");
  callHostWord<19>(1u);
}

void read() {
  callHostWord<17>();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) fail("selection refused");
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) {
    ownedChain list(given);
    auto copy = entReader2D::anyEntity(list.get());
    const std::u16string handle = textOf(list.get(), 5);
    std::string out = "{\"handle\": \"" + std::string(handle.begin(), handle.end()) +
                      "\", \"kind\": " + std::to_string(static_cast<int>(copy->entType()));
    if (const XtGeCurve2d* curve = copy->getCurve()) out += ", \"pieces\": " + pieces(*curve);
    if (auto* solid = dynamic_cast<const ltSolid2D*>(copy.get())) out += ", \"pieces\": " + pieces(solid->geometry());
    if (auto* point = dynamic_cast<const ltPoint2D*>(copy.get())) out += ", \"pieces\": [[" + xy(point->geometry()) + "]]";
    if (auto* polyline = dynamic_cast<const ltPolyline2D*>(copy.get())) {
      out += ", \"widths\": [";
      for (double w : polyline->widths()) out += (out.back() == '[' ? "" : ", ") + num(w);
      out += "]";
    }
    std::printf("%s}\n", out.c_str());
  }
  callHostWord<19>(1u);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[1] : "";
  if ((mode != "write" || argc != 4) && (mode != "read" || argc != 3)) {
    std::fprintf(stderr, "usage: %s write IN.dxf OUT.dxf | read IN.dxf\n", argv[0]);
    return 2;
  }
  const GeometryToleranceScope tolerances(1);
  toolSupport::runHost(argv[2], mode == "write" ? "command write\nsave written.dxf\n" : "command read\nselect all\n",
                       {{"write", write}, {"read", read}}, "written.dxf", mode == "write" ? argv[3] : nullptr);
  return toolSupport::finish();
}

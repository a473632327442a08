// Entity operations on drawings made by ezdxf, through the stand-in host, for
// the checks of entity_operations.py.
//
// transform DEGREES SCALE MIRROR IN OUT: every model-space entity (word 167)
//   as a copy, turned by DEGREES about (5, 5) and scaled by SCALE about it
//   (the curve kinds first mirrored in the X axis when MIRROR is 1), handed
//   back (word 114, the list of getUpdatedList(0)) when the copy followed.
// reverse IN OUT: every entity reversed and handed back when it turned.
// cut IN OUT: every curve entity cut by the circle about the middle of its
//   extents through a quarter of their diagonal, once keeping the inside
//   and once the outside: the pieces are made as new entities whose
//   "QEV_DATA" holds the side ("in", "out") and the source's handle.
// props IN OUT: every entity's common groups rewritten in place (applyToList)
//   with colour 3, true colour 0x123456, lineweight 35 and transparency by
//   layer, and handed back.
// explode IN OUT: every INSERT exploded; the pieces are made as new
//   entities whose "QEV_DATA" holds "exploded" and the reference's handle.
// clip IN OUT: every INSERT clipped by the window [2, 8] x [-5, 5] and
//   handed back on its new block.
//
// Each copy is reported as a JSON line {handle, kind, answer, box} (box:
// the extents after the operation, null when the copy has none). The exit
// code is 0 when the host ran and took every list.
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/Tolerances.h"
#include "host/ResbufBuilder.h"
#include "host/entities/entityDispatch.h"
#include "host/entities/ltInsert2D.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeCircArc2d.h"
#include "platform/ge/XtGeCompositeCurve2d.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/win/Modules.h"
#include "tests/host/entities/tools/ToolSupport.h"

namespace {

using toolSupport::fail;
std::vector<std::string> g_args;

bool isCurveKind(ltEntKind kind) {
  switch (kind) {
    case ltEntKind::abscissa: case ltEntKind::arc: case ltEntKind::polyline: case ltEntKind::ellipse:
    case ltEntKind::ray: case ltEntKind::line:
      return true;
    default:
      return false;
  }
}

std::string ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// Hands a list to the host (word 114); a missing list or a refusal is a failure.
void handBack(const resbuf* list, const std::string& what) {
  if (list == nullptr || callHostWord<114>(list, 0, 0).value_or(0) != hostStatus::normal)
    fail("the host refused " + what);
}

void report(const ltEnt2D& copy, bool answer) {
  XtGeBoundBlock2d box;
  char extents[200] = "null";
  if (copy.getExtents(box, false))
    std::snprintf(extents, sizeof extents, "[%.17g, %.17g, %.17g, %.17g]", box.minPoint().x, box.minPoint().y,
                  box.maxPoint().x, box.maxPoint().y);
  std::printf("{\"handle\": \"%s\", \"kind\": %d, \"answer\": %d, \"box\": %s}\n",
              ascii(copy.getProps().handle).c_str(), static_cast<int>(copy.entType()), answer ? 1 : 0, extents);
}

// Every selected entity as a copy, changed by `operation`; the changed list
// goes back to the host. `finish` runs after the last one.
template <class Operation>
void eachSelected(Operation operation, const std::function<void()>& finish = {}) {
  GeometryToleranceScope tolerances(1);
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  callHostWord<17>();
  if (callHostWord<138>(nullptr, 0, 0, 0, nullptr) != hostStatus::normal) fail("selection refused");
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) {
    ownedChain list(given);
    auto copy = entReader2D::anyEntity(list.get());
    if (!copy) {
      fail("no copy of a selected entity");
      continue;
    }
    const bool answer = operation(*copy);
    report(*copy, answer);
    if (answer) handBack(copy->getUpdatedList(0), "the list of " + ascii(copy->getProps().handle));
  }
  if (finish) finish();
  callHostWord<19>(1u);
  hvReleaseHostApi(false);
}

// The copy's extra groups become "QEV_DATA" with the two texts.
void tag(ltEnt2D& copy, const char16_t* what, const std::u16string& source) {
  copy.getProps().handle.clear();
  copy.getProps().setTail(ownedChain(buildResbufList({{1001, u"QEV_DATA"}, {1000, what}, {1000, source.c_str()}})));
}

void make(ltEnt2D& copy) { handBack(copy.getUpdatedList(2), "a new entity"); }

void transformCommand() {
  const double angle = std::stod(g_args.at(0)) * std::numbers::pi / 180.0;
  const double scale = std::stod(g_args.at(1));
  const bool mirrorCurves = g_args.at(2) == "1";
  const XtGePoint2d centre(5, 5);
  const XtGeMatrix2d m = XtGeMatrix2d::scaling(scale, centre) * XtGeMatrix2d::rotation(angle, centre);
  const XtGeMatrix2d mirrored = m * XtGeMatrix2d::scaling(1.0, -1.0);
  eachSelected([&](ltEnt2D& copy) {
    return copy.transformBy(mirrorCurves && isCurveKind(copy.entType()) ? mirrored : m);
  });
}

void reverseCommand() {
  eachSelected([](ltEnt2D& copy) { return copy.reverseParam(); });
}

void cutCommand() {
  eachSelected([](ltEnt2D& copy) {
    XtGeBoundBlock2d box;
    if (!isCurveKind(copy.entType()) || !copy.getExtents(box, false)) return false;
    const XtGePoint2d centre = box.minPoint() + (box.maxPoint() - box.minPoint()) * 0.5;
    const double radius = (box.maxPoint() - box.minPoint()).length() / 4;
    const XtGeCircArc2d circle(centre, radius);
    std::printf("{\"cutter\": \"%s\", \"centre\": [%.17g, %.17g], \"radius\": %.17g}\n",
                ascii(copy.getProps().handle).c_str(), centre.x, centre.y, radius);
    for (const auto& [selector, side] : {std::pair(2, u"in"), std::pair(1, u"out")}) {
      ltEntArray pieces;
      bool inside = false;
      if (copy.splitByCurveBounded(circle, pieces, selector, &inside, nullptr, nullptr) != 0)
        fail("pieces left over of " + ascii(copy.getProps().handle));
      for (auto& piece : pieces) {
        tag(*piece, side, copy.getProps().handle);
        make(*piece);
      }
    }
    return false;  // the source stays as it is
  });
}

void propsCommand() {
  eachSelected([](ltEnt2D& copy) {
    ltEntProps props = copy.getProps();
    props.colorIndex = 3;
    props.hasTrueColor = true;
    props.trueColor = 0x123456;
    props.lineweight = 35;
    props.transparencyMode = 0;
    // The list itself goes back, as edited in place.
    resbuf* list = copy.editableList();
    handBack(props.applyToList(list) ? list : nullptr, "the props of " + ascii(copy.getProps().handle));
    return false;
  });
}

void explodeCommand() {
  eachSelected([](ltEnt2D& copy) {
    if (copy.entType() != ltEntKind::insert) return false;
    ltEntArray pieces;
    const int answer = static_cast<ltInsert2D&>(copy).explode(pieces, getExport2D(), nullptr, false);
    std::printf("{\"exploded\": \"%s\", \"answer\": %d}\n", ascii(copy.getProps().handle).c_str(), answer);
    for (auto& piece : pieces) {
      tag(*piece, u"exploded", copy.getProps().handle);
      make(*piece);
    }
    return false;
  });
}

void clipCommand() {
  std::vector<std::unique_ptr<XtGeCurve2d>> sides;
  const XtGePoint2d corners[] = {{2, -5}, {8, -5}, {8, 5}, {2, 5}};
  for (int i = 0; i < 4; ++i) sides.push_back(std::make_unique<XtGeLineSeg2d>(corners[i], corners[(i + 1) % 4]));
  const XtGeCompositeCurve2d window(std::move(sides));
  const XtGeCurve2d* keep[] = {&window};
  ltEntArray clipped;
  eachSelected([&](ltEnt2D& copy) {
    if (copy.entType() != ltEntKind::insert) return false;
    std::vector<const XtGeCurve2d*> cutting;
    auto answer = static_cast<ltInsert2D&>(copy).clipByCurves(keep, {}, getExport2D(), XtGeMatrix2d::kIdentity, nullptr,
                                                               false, cutting, {}, {}, true);
    if (answer) clipped.push_back(std::move(answer));
    return false;
  }, [&] {
    // Handed back once the selection is read.
    for (auto& reference : clipped) handBack(reference->getUpdatedList(0), "a clipped reference");
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string mode = argv[1];
  g_args.assign(argv + 2, argv + argc - 2);
  const std::vector<std::pair<std::string, cadhost::test::TestCommand>> commands = {
      {"transform", transformCommand}, {"reverse", reverseCommand}, {"cut", cutCommand},
      {"props", propsCommand},         {"explode", explodeCommand}, {"clip", clipCommand}};
  toolSupport::runHost(argv[argc - 2], "command " + mode + "\nselect all\nsave out.dxf\n", commands, "out.dxf",
                       argv[argc - 1]);
  return toolSupport::finish();
}

// Entity operations on drawings made by ezdxf, through the stand-in host, for
// the checks of entity_operations.py.
//
// transform DEGREES SCALE MIRROR IN OUT: every model-space entity (word 167)
//   as a copy, turned by DEGREES about (5, 5) and scaled by SCALE about it
//   (the curve kinds first mirrored in the X axis when MIRROR is 1), handed
//   back (word 114, the list of getUpdatedList(0)) when the copy followed.
// reverse IN OUT: every entity reversed and handed back when it turned.
//
// Each copy is reported as a JSON line {handle, kind, answer, box} (box:
// the extents after the operation, null when the copy has none). The exit
// code is 0 when the host ran and took every list.
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/Tolerances.h"
#include "host/entities/entityDispatch.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/ge/XtGeBoundBlock2d.h"
#include "platform/ge/XtGeMatrix2d.h"
#include "platform/win/Modules.h"
#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

std::vector<std::string> g_failures;
std::vector<std::string> g_args;

void fail(std::string message) { g_failures.push_back(std::move(message)); }

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
// goes back to the host.
template <class Operation>
void eachSelected(Operation operation) {
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
    if (!answer) continue;
    const resbuf* changed = copy->getUpdatedList(0);
    if (changed == nullptr || callHostWord<114>(changed, 0, 0).value_or(0) != hostStatus::normal)
      fail("the host refused the list of " + ascii(copy->getProps().handle));
  }
  callHostWord<19>(1u);
  hvReleaseHostApi(false);
}

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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string mode = argv[1];
  g_args.assign(argv + 2, argv + argc - 2);
  const std::string in = argv[argc - 2];
  const std::string out = argv[argc - 1];
  const std::vector<std::pair<std::string, cadhost::test::TestCommand>> commands = {
      {"transform", transformCommand}, {"reverse", reverseCommand}};
  {
    cadhost::test::HostRun run(std::filesystem::absolute(in).string(),
                               "command " + mode + "\nselect all\nsave out.dxf\n", {}, commands);
    if (run.run() != 0) fail("the host run failed");
    std::error_code error;
    std::filesystem::copy_file(run.folder() / "out.dxf", out, std::filesystem::copy_options::overwrite_existing,
                               error);
    if (error) fail("no saved drawing: " + error.message());
  }
  for (const std::string& failure : g_failures) std::fprintf(stderr, "%s\n", failure.c_str());
  return g_failures.empty() ? 0 : 1;
}

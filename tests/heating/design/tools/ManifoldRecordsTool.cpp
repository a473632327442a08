// Manifold records of every block reference of a drawing, through the
// stand-in host, for manifold_records.py: one JSON line per INSERT,
// {handle, valid, elevation, offset, points}. Exit code 0 when the host ran.
#include <cstdio>
#include <filesystem>
#include <string>

#include "heating/design/drawing/CFHDrawingInOut.h"

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/Tolerances.h"
#include "host/entities/entReaderSteps.h"

#include "platform/win/Modules.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

void readCommand() {
  GeometryToleranceScope tolerances(1000);
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  callHostWord<138>(nullptr, 0, 0, 0, nullptr);
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) {
    const ownedChain list(given);
    if (std::u16string_view(entReader2D::firstGroup(list.get(), 0)->value.str) != u"INSERT") continue;
    const auto record = CFHDrawingInOut::createRecord(u"insert", list.get());
    const auto& manifold = static_cast<const CFHDistributorInOut&>(*record);
    const std::u16string handle(record->handle());
    std::string points;
    for (const XtGePoint2d& p : manifold.connectionPoints) {
      char text[80];
      std::snprintf(text, sizeof text, "%s[%.17g, %.17g]", points.empty() ? "" : ", ", p.x, p.y);
      points += text;
    }
    std::printf("{\"handle\": \"%s\", \"valid\": %s, \"elevation\": %.17g, \"offset\": [%.17g, %.17g], \"points\": [%s]}\n",
                std::string(handle.begin(), handle.end()).c_str(), record->valid() ? "true" : "false",
                manifold.elevation, manifold.offset.x, manifold.offset.y, points.c_str());
  }
  hvReleaseHostApi(false);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  cadhost::test::HostRun run(std::filesystem::absolute(argv[1]).string(), "command read\nselect all\n", {},
                             {{"read", readCommand}});
  return run.run() == 0 ? 0 : 1;
}

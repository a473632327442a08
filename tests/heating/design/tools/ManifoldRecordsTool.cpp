// Manifold records of every block reference of a drawing, through the
// stand-in host, for the checks of manifold_records.py: one JSON line per
// INSERT, {handle, valid, elevation, offset, points}. Exit code 0 when the
// host ran.
#include <cstdio>
#include <filesystem>
#include <string>

#include "heating/design/CFHDrawingInOut.h"

#include "host/HostExport.h"
#include "host/HvHostApi.h"
#include "host/Tolerances.h"
#include "host/entities/entReaderSteps.h"
#include "host/entities/ownedChain.h"

#include "platform/cadhost/HostStatus.h"
#include "platform/win/Modules.h"

#include "tests/platform/cadhost/host/HostTestFixture.h"

namespace {

bool g_selected = false;

void readCommand() {
  GeometryToleranceScope tolerances(1000);
  hvInitHostApi(GetModuleHandleW(hostApiModuleName));
  g_selected = callHostWord<138>(nullptr, 0, 0, 0, nullptr) == hostStatus::normal;
  while (resbuf* given = callHostWord<167>(0, 0).value_or(nullptr)) {
    const ownedChain list(given);
    const resbuf* type = entReader2D::firstGroup(list.get(), 0);
    if (type == nullptr || std::u16string_view(type->value.str) != u"INSERT") continue;
    const auto record = CFHDrawingInOut::createRecord(u"insert", list.get());
    const auto& manifold = static_cast<const CFHDistributorInOut&>(*record);
    const std::u16string handle(record->handle());
    std::printf("{\"handle\": \"%s\", \"valid\": %s, \"elevation\": %.17g, \"offset\": [%.17g, %.17g], \"points\": [",
                std::string(handle.begin(), handle.end()).c_str(), record->valid() ? "true" : "false",
                manifold.elevation, manifold.offset.x, manifold.offset.y);
    const char* separator = "";
    for (const XtGePoint2d& p : manifold.connectionPoints) {
      std::printf("%s[%.17g, %.17g]", separator, p.x, p.y);
      separator = ", ";
    }
    std::printf("]}\n");
  }
  hvReleaseHostApi(false);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  cadhost::test::HostRun run(std::filesystem::absolute(argv[1]).string(), "command read\nselect all\n", {},
                             {{"read", readCommand}});
  const int status = run.run();
  if (status != 0 || !g_selected) std::fprintf(stderr, "the host run failed\n");
  return status == 0 && g_selected ? 0 : 1;
}

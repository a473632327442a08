// Test tool: hv_drawing_curves IN.dxf loads the drawing into the stand-in
// host and prints, for the list of every model-space entity as a module
// receives it, one JSON line: {"handle", "status" and "statusInsert"
// (classifyEntityType without and with block references), "name", "curve"
// (kind, tag, start, end)}, null for no name or no curve.
#include "heating/curves/HeatingCurvesFromDrawing.h"

#include "host/Tolerances.h"

#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/ResbufLists.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// The entity type names and handles are ASCII.
std::string ascii(const char16_t* text) {
  std::string out;
  for (; text != nullptr && *text != 0; ++text) out += *text < 128 ? static_cast<char>(*text) : '?';
  return out;
}

std::string quoted(const char16_t* text) { return text == nullptr ? "null" : "\"" + ascii(text) + "\""; }

const char16_t* handleOf(const resbuf* list) {
  for (; list != nullptr; list = list->next)
    if (list->code == 5) return list->value.str;
  return nullptr;
}

void printEntity(const resbuf* list) {
  int status = -1;
  int statusInsert = -1;
  const char16_t* name = classifyEntityType(list, status, false);
  classifyEntityType(list, statusInsert, true);
  std::printf("{\"handle\": %s, \"status\": %d, \"statusInsert\": %d, \"name\": %s, \"curve\": ",
              quoted(handleOf(list)).c_str(), status, statusInsert, quoted(name).c_str());
  const CFloorHeatingCurve::Ptr curve = curveFromResbuf(list);
  if (!curve) {
    std::printf("null}\n");
    return;
  }
  const XtGePoint2d& s = curve->startPoint();
  const XtGePoint2d& e = curve->endPoint();
  std::printf("{\"kind\": %d, \"tag\": %u, \"start\": [%.17g, %.17g], \"end\": [%.17g, %.17g]}}\n", curve->kind(),
              curve->tag(), s.x, s.y, e.x, e.y);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s IN.dxf\n", argv[0]);
    return 2;
  }
  try {
    const GeometryToleranceScope tolerances(1);
    const auto drawing = cadhost::DxfReader::readFile(argv[1]);
    for (const cadhost::RecordId id : drawing->modelSpace()) {
      resbuf* list = cadhost::newResbufList(drawing->handOutList(id));
      printEntity(list);
      cadhost::freeResbufList(list);
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}

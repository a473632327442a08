// Test tool: loads a DXF drawing and saves it again, or writes a new drawing,
// so that the Python tests can check the host's files with ezdxf.
//   hv_cadhost_dxfcopy IN OUT      load IN, save OUT
//   hv_cadhost_dxfcopy --new OUT   save a new, empty drawing
#include <cstdio>
#include <cstring>
#include <exception>

#include "platform/cadhost/DxfReader.h"
#include "platform/cadhost/DxfWriter.h"
#include "platform/cadhost/NewDrawing.h"

int main(int argc, char** argv) {
  using namespace cadhost;
  try {
    if (argc == 3 && std::strcmp(argv[1], "--new") == 0) {
      auto drawing = newDrawing();
      DxfWriter::writeFile(*drawing, argv[2]);
      return 0;
    }
    if (argc == 3) {
      auto drawing = DxfReader::readFile(argv[1]);
      DxfWriter::writeFile(*drawing, argv[2]);
      return 0;
    }
    std::fprintf(stderr, "usage: %s IN OUT | --new OUT\n", argv[0]);
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}

// hv_random_rooms: prints random rooms or floors (RandomRooms.h) as JSON,
// for random_floors.py, which draws them as DXF with a cadhost script.
//
//   hv_random_rooms [--seed N] [--family NAME|all] [--index I] [--count N]
//   hv_random_rooms --floors [--seed N] [--index I] [--count N]
//
// Rooms: {"rooms": [room...]}, each with its description (which names how to
// make it again), family, seed, index, outline (vertices with the bulge of the side to
// the next vertex), pipe (its points as drawn), manifold (insertion point,
// angle in degrees, width, depth, corners), spacing (m), border ({"fixed",
// "width"} in m), pipe_pitch (m), shape (0 meander, 1 double spiral) and
// display_type (0 or 2). Floors: {"floors": [floor...]}, each with its
// description, manifold, pipe_pitch, shape, display_type, rooms (name,
// outline, pipe or [], spacing, border), join ({"room", "to", "point"} or
// null: room joins the circuit of `to`, rooms by index) and body ({"room",
// "point"} or null).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RandomRooms.h"

namespace {

using namespace random_rooms;

std::string number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string point(const XtGePoint2d& p) { return "[" + number(p.x) + ", " + number(p.y) + "]"; }

std::string points(const std::vector<XtGePoint2d>& ps) {
  std::string out = "[";
  for (std::size_t i = 0; i < ps.size(); ++i) out += (i ? ", " : "") + point(ps[i]);
  return out + "]";
}

std::string outline(const std::vector<Vertex>& vs) {
  std::string out = "[";
  for (std::size_t i = 0; i < vs.size(); ++i)
    out += std::string(i ? ", " : "") + "{\"x\": " + number(vs[i].at.x) + ", \"y\": " + number(vs[i].at.y) +
           ", \"bulge\": " + number(vs[i].bulge) + "}";
  return out + "]";
}

std::string manifold(const Manifold& m) {
  return "{\"insert\": " + point(m.insert) + ", \"angle\": " + number(m.angle * 180.0 / 3.141592653589793) +
         ", \"width\": " + number(m.width) + ", \"depth\": " + number(kManifoldDepth) +
         ", \"corners\": " + points(m.corners()) + "}";
}

std::string border(bool fixed, double width) {
  return std::string("{\"fixed\": ") + (fixed ? "true" : "false") + ", \"width\": " + number(width) + "}";
}

std::string roomJson(const Room& room) {
  return "{\"description\": " + quoted(room.description()) + ", \"family\": " + quoted(familyName(room.family)) +
         ", \"seed\": " + std::to_string(room.seed) + ", \"index\": " + std::to_string(room.index) +
         ", \"outline\": " + outline(room.outline) + ", \"pipe\": " + points(room.pipe) +
         ", \"manifold\": " + manifold(room.manifold) + ", \"spacing\": " + number(room.spacing) +
         ", \"border\": " + border(room.borderFixed, room.borderR) + ", \"pipe_pitch\": " + number(room.pipePitch) +
         ", \"shape\": " + std::to_string(room.shapeOfCircuit) +
         ", \"display_type\": " + std::to_string(room.displayType) + "}";
}

std::string floorJson(const Floor& floor) {
  std::string rooms = "[";
  for (std::size_t i = 0; i < floor.rooms.size(); ++i) {
    const FloorRoom& room = floor.rooms[i];
    rooms += std::string(i ? ", " : "") + "{\"name\": " + quoted(room.name) +
             ", \"outline\": " + outline(room.outline) + ", \"pipe\": " + points(room.pipe) +
             ", \"spacing\": " + number(room.spacing) + ", \"border\": " + border(room.borderFixed, room.borderR) + "}";
  }
  rooms += "]";
  const std::string join = floor.joined < 0 ? "null"
                                            : "{\"room\": " + std::to_string(floor.joined) +
                                                  ", \"to\": " + std::to_string(floor.joinedTo) +
                                                  ", \"point\": " + point(floor.joinPoint) + "}";
  const std::string body =
      floor.body < 0 ? "null"
                     : "{\"room\": " + std::to_string(floor.body) + ", \"point\": " + point(floor.bodyPoint) + "}";
  return "{\"description\": " + quoted(floor.description()) + ", \"manifold\": " + manifold(floor.manifold) +
         ", \"pipe_pitch\": " + number(floor.pipePitch) + ", \"shape\": " + std::to_string(floor.shapeOfCircuit) +
         ", \"display_type\": " + std::to_string(floor.displayType) + ", \"rooms\": " + rooms + ", \"join\": " + join +
         ", \"body\": " + body + "}";
}

int usage() {
  std::fprintf(stderr,
               "usage: hv_random_rooms [--seed N] [--family NAME|all] [--index I] [--count N]\n"
               "       hv_random_rooms --floors [--seed N] [--index I] [--count N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long long seed = 1;
  long index = 0, count = 1;
  bool floors = false;
  std::vector<Family> families(std::begin(kFamilies), std::end(kFamilies));
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--floors") {
      floors = true;
    } else if (value == nullptr) {
      return usage();
    } else if (arg == "--seed") {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--index") {
      index = std::strtol(argv[++i], nullptr, 10);
    } else if (arg == "--count") {
      count = std::strtol(argv[++i], nullptr, 10);
    } else if (arg == "--family") {
      ++i;
      if (std::strcmp(value, "all") == 0) continue;
      const std::optional<Family> family = familyNamed(value);
      if (!family) return usage();
      families = {*family};
    } else {
      return usage();
    }
  }
  if (count < 0 || count > 100000) return usage();
  std::string out = floors ? "{\"floors\": [" : "{\"rooms\": [";
  bool first = true;
  for (long k = index; k < index + count; ++k) {
    if (floors) {
      out += (first ? "\n" : ",\n") + floorJson(makeFloor(seed, static_cast<int>(k)));
      first = false;
      continue;
    }
    for (const Family family : families) {
      out += (first ? "\n" : ",\n") + roomJson(makeRoom(seed, family, static_cast<int>(k)));
      first = false;
    }
  }
  std::printf("%s\n]}\n", out.c_str());
  return 0;
}

// The host's result-buffer node: drawing entities, selections, extended data,
// table records and system-variable answers travel between the host and its
// extension modules as singly linked lists of these nodes, each holding one
// DXF group code and its value. Both sides allocate and free nodes with the C
// heap (calloc/free), one 40-byte block per node; strings and binary chunks are
// separate C-heap blocks owned by their node.
#pragma once

#include <cstddef>
#include <cstdint>

// A 16-byte entity or selection name, opaque to modules.
struct resbufName {
  std::uint64_t id[2];
};

// A binary chunk (group codes 310 to 319 and 1004): the byte count first, the
// pointer to the bytes at the next pointer-aligned place.
struct resbufBinary {
  std::int16_t length;
  unsigned char* data;
};

// The value of a node; which member is live follows from the value class of
// the node's group code (see GroupCodeType.h).
union resbufValue {
  char16_t* str;          // UTF-16 text (lists the host and the module exchange)
  char* narrow;           // narrow text (lists copied with the narrow copy)
  double real;            // reals and angles
  double point[3];        // 2D and 3D points; z is 0 for 2D points
  std::int16_t i16;       // 16-bit integers and booleans
  std::int32_t i32;       // 32-bit integers
  std::int64_t i64;       // 64-bit integers
  resbufName name;        // entity and selection names
  resbufBinary binary;    // binary chunks
  unsigned char bytes[24];
};

struct resbuf {
  resbuf* next;       // next node, null at the end
  std::int16_t code;  // the DXF group code or a result-type code
  resbufValue value;
};

static_assert(sizeof(resbufValue) == 24, "a node value is 24 bytes");
static_assert(offsetof(resbuf, code) == 8, "the group code follows the link");
static_assert(offsetof(resbuf, value) == 16, "the value is pointer-aligned");
static_assert(offsetof(resbufBinary, data) == 8, "the chunk bytes are pointer-aligned");
static_assert(sizeof(resbuf) == 40, "a node is one 40-byte block");

// Result-type codes: the group codes of values that are not drawing groups,
// such as system-variable answers, and the markers of the list builders.
namespace resbufType {
inline constexpr std::int16_t none = 5000;          // no value; ends a list in the builders' marker mode
inline constexpr std::int16_t real = 5001;          // a real
inline constexpr std::int16_t point2d = 5002;       // a 2D point (stored with z = 0)
inline constexpr std::int16_t int16 = 5003;         // a 16-bit integer
inline constexpr std::int16_t angle = 5004;         // an angle in radians
inline constexpr std::int16_t string = 5005;        // a text
inline constexpr std::int16_t entityName = 5006;    // an entity name
inline constexpr std::int16_t point3d = 5009;       // a 3D point
inline constexpr std::int16_t int32 = 5010;         // a 32-bit integer
inline constexpr std::int16_t listBegin = 5016;     // opening bracket of a nested list
inline constexpr std::int16_t listEnd = 5017;       // closing bracket of a nested list
inline constexpr std::int16_t dotted = 5018;        // dotted-pair marker
inline constexpr std::int16_t groupZero = 5020;     // stands for group code 0 in the marker mode
}  // namespace resbufType

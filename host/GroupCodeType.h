// The value type of every group code a result-buffer node can carry, as one
// compile-time table that every file of the module reads.
//
// A type word holds the value class in bits 8 to 15, the size in bytes of one
// value element in bits 0 to 7, and flags above. Codes outside -5 to 5023 have
// type 0 (no class).
#pragma once

#include <array>
#include <cstdint>

// Value classes (bits 8 to 15 of a type word).
inline constexpr std::uint32_t hvClassMask = 0xFF00;
inline constexpr std::uint32_t hvElementSizeMask = 0xFF;
inline constexpr std::uint32_t hvClassString = 0x100;  // owned UTF-16 text
inline constexpr std::uint32_t hvClassInt32 = 0x200;   // 32-bit integer
inline constexpr std::uint32_t hvClassInt16 = 0x300;   // 16-bit integer
inline constexpr std::uint32_t hvClassInt16Ex = 0x400; // 16-bit integer (line weights, plot styles)
inline constexpr std::uint32_t hvClassBinary = 0x500;  // binary chunk
inline constexpr std::uint32_t hvClassPoint = 0x600;   // three doubles; the element size is one coordinate
inline constexpr std::uint32_t hvClassReal = 0x700;    // double
inline constexpr std::uint32_t hvClassBool = 0x800;    // boolean as a 16-bit integer
inline constexpr std::uint32_t hvClassName = 0x900;    // 16-byte name
inline constexpr std::uint32_t hvClassInt64 = 0xA00;   // 64-bit integer

// Flags above the class.
inline constexpr std::uint32_t hvTypeHandle = 0x10000;      // text holding a hexadecimal handle
inline constexpr std::uint32_t hvTypeAngle = 0x20000;       // real holding an angle in radians
inline constexpr std::uint32_t hvTypePointerLike = 0x40000; // text a list may hold without owning it
inline constexpr std::uint32_t hvTypeUntyped = 0x80000;     // code without a type of its own

inline constexpr int hvGroupCodeFirst = -5;
inline constexpr int hvGroupCodeLast = 5023;

namespace hv_detail {

struct GroupCodeRange {
  int first;
  int last;
  std::uint32_t type;
};

// Codes of the range -5 to 5023 not listed here have no type of their own:
// they are stored like points and flagged 0x80000.
inline constexpr GroupCodeRange groupCodeRanges[] = {
    {-5, -4, 0x100},      {-3, -2, 0x910},      {-1, -1, 0x40100},
    {0, 4, 0x100},        {5, 5, 0x10100},      {6, 9, 0x100},
    {10, 19, 0x608},      {20, 49, 0x708},      {50, 58, 0x20708},
    {59, 59, 0x708},      {60, 79, 0x302},      {90, 99, 0x204},
    {100, 102, 0x100},    {105, 105, 0x10100},  {110, 119, 0x608},
    {120, 149, 0x708},    {160, 169, 0xA08},    {170, 179, 0x302},
    {210, 219, 0x608},    {220, 239, 0x708},    {270, 289, 0x402},
    {290, 299, 0x802},    {300, 309, 0x100},    {310, 319, 0x500},
    {320, 329, 0x10100},  {330, 369, 0x50100},  {370, 389, 0x402},
    {390, 399, 0x50100},  {400, 409, 0x302},    {410, 419, 0x100},
    {420, 429, 0x204},    {430, 439, 0x100},    {440, 459, 0x204},
    {460, 469, 0x708},    {470, 479, 0x100},    {999, 1003, 0x100},
    {1004, 1004, 0x500},  {1005, 1005, 0x10100}, {1006, 1009, 0x100},
    {1010, 1019, 0x608},  {1020, 1059, 0x708},  {1060, 1070, 0x302},
    {1071, 1071, 0x204},  {5001, 5001, 0x708},  {5002, 5002, 0x608},
    {5003, 5003, 0x302},  {5004, 5004, 0x20708}, {5005, 5005, 0x100},
    {5006, 5006, 0x910},  {5009, 5009, 0x608},  {5010, 5010, 0x204},
};

inline constexpr std::uint32_t untypedCode = 0x80608;

constexpr std::array<std::uint32_t, hvGroupCodeLast - hvGroupCodeFirst + 1> makeGroupCodeTable() {
  std::array<std::uint32_t, hvGroupCodeLast - hvGroupCodeFirst + 1> table{};
  for (auto& t : table) t = untypedCode;
  for (const GroupCodeRange& r : groupCodeRanges)
    for (int code = r.first; code <= r.last; ++code) table[code - hvGroupCodeFirst] = r.type;
  return table;
}

inline constexpr auto groupCodeTable = makeGroupCodeTable();

}  // namespace hv_detail

// The type word of a group code; 0 outside -5 to 5023.
constexpr std::uint32_t hvGroupCodeType(int code) {
  if (code < hvGroupCodeFirst || code > hvGroupCodeLast) return 0;
  return hv_detail::groupCodeTable[code - hvGroupCodeFirst];
}

// The value class of a group code (0 outside -5 to 5023).
constexpr std::uint32_t hvGroupCodeClass(int code) { return hvGroupCodeType(code) & hvClassMask; }

// Bytes of a node's value that hold a value of this type: one element, three
// for points. Texts and binary chunks count their pointer fields (the data
// they point at is separate).
constexpr std::uint32_t hvValueBytes(std::uint32_t type) {
  const std::uint32_t cls = type & hvClassMask;
  if (cls == hvClassString) return sizeof(void*);
  if (cls == hvClassBinary) return 16;
  if (cls == hvClassPoint) return 3 * (type & hvElementSizeMask);
  return type & hvElementSizeMask;
}

static_assert(hvGroupCodeType(-6) == 0 && hvGroupCodeType(5024) == 0);
static_assert(hvGroupCodeType(330) == 0x50100 && hvGroupCodeType(5020) == 0x80608);

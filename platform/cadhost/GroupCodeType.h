// Value typing of group codes: how the value of each code is held in a group
// list, which codes carry angles, and which codes have no type of their own.
// Usable at compile time from anywhere in the platform.
#pragma once

#include <cstdint>

namespace cadhost {

enum class GroupValueClass : std::uint8_t {
  None,    // code outside -5 ... 5023
  Text,    // string (UTF-16 in lists)
  Int16,   // 16-bit integer (includes the 8-bit codes 280-289)
  Int32,   // 32-bit integer
  Int64,   // 64-bit integer
  Bool,    // 290-299, held as a 16-bit integer
  Real,    // double
  Point,   // three doubles
  Handle,  // hexadecimal handle text
  Binary,  // bytes; hexadecimal text in a file
  Name,    // 16-byte entity name (-2, -3, 5006); never in a file
};

struct GroupCodeType {
  GroupValueClass valueClass = GroupValueClass::None;
  // Radians in lists, degrees in files (inside entity lists only).
  bool angle = false;
  // A reference that a list may hold without owning it (-1, 330-369, 390-399).
  bool pointerLike = false;
  // False for codes that have no type of their own: kept verbatim as text,
  // never handed out in lists.
  bool ownType = true;
};

namespace detail {
constexpr bool inRange(int code, int first, int last) noexcept {
  return code >= first && code <= last;
}
constexpr GroupCodeType typeOf(GroupValueClass c) noexcept { return {c, false, false, true}; }
}  // namespace detail

constexpr GroupCodeType groupCodeType(int code) noexcept {
  using C = GroupValueClass;
  using detail::inRange;
  using detail::typeOf;
  if (code < -5 || code > 5023) return {};
  if (code == -1) return {C::Text, false, true, true};
  if (code == -2 || code == -3) return typeOf(C::Name);
  if (code < 0) return typeOf(C::Text);
  if (code == 5 || code == 105 || inRange(code, 320, 329) || code == 1005) return typeOf(C::Handle);
  if (inRange(code, 330, 369) || inRange(code, 390, 399)) return {C::Handle, false, true, true};
  if (inRange(code, 0, 9)) return typeOf(C::Text);
  if (inRange(code, 10, 19) || inRange(code, 110, 119) || inRange(code, 210, 219) ||
      inRange(code, 1010, 1019))
    return typeOf(C::Point);
  if (inRange(code, 50, 58)) return {C::Real, true, false, true};
  if (inRange(code, 20, 49) || code == 59 || inRange(code, 120, 149) || inRange(code, 220, 239) ||
      inRange(code, 460, 469) || inRange(code, 1020, 1059))
    return typeOf(C::Real);
  if (inRange(code, 60, 79) || inRange(code, 170, 179) || inRange(code, 270, 289) ||
      inRange(code, 370, 389) || inRange(code, 400, 409) || inRange(code, 1060, 1070))
    return typeOf(C::Int16);
  if (inRange(code, 90, 99) || inRange(code, 420, 429) || inRange(code, 440, 459) || code == 1071)
    return typeOf(C::Int32);
  if (inRange(code, 160, 169)) return typeOf(C::Int64);
  if (inRange(code, 290, 299)) return typeOf(C::Bool);
  if (inRange(code, 310, 319) || code == 1004) return typeOf(C::Binary);
  if (inRange(code, 100, 102) || inRange(code, 300, 309) || inRange(code, 410, 419) ||
      inRange(code, 430, 439) || inRange(code, 470, 479) || inRange(code, 999, 1003) ||
      inRange(code, 1006, 1009))
    return typeOf(C::Text);
  if (code == 5001) return typeOf(C::Real);
  if (code == 5002 || code == 5009) return typeOf(C::Point);
  if (code == 5003) return typeOf(C::Int16);
  if (code == 5004) return {C::Real, true, false, true};
  if (code == 5005) return typeOf(C::Text);
  if (code == 5006) return typeOf(C::Name);
  if (code == 5010) return typeOf(C::Int32);
  // No type of its own. Hard-pointer handles 480 and 481 still read as
  // handles; everything else is kept as the text of the file.
  if (code == 480 || code == 481) return {C::Handle, false, false, false};
  return {C::Text, false, false, false};
}

// The code of the y coordinate that follows the x coordinate of a point code
// in a file (10 -> 20, 210 -> 220, 1010 -> 1020); the z code is 10 further.
constexpr int pointYCode(int xCode) noexcept { return xCode + 10; }

}  // namespace cadhost

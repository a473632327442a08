// The value class of every group code against the DXF format's group-code types
// (ezdxf's tables, DxfGroupCodeClasses.inc), apart from the host's own codes.
#include <gtest/gtest.h>

#include "host/GroupCodeType.h"
#include "platform/cadhost/GroupCodeType.h"

namespace {

struct DxfRange {
  int first;
  int last;
  char cls;
};

constexpr DxfRange dxfClasses[] = {
#include "tests/host/DxfGroupCodeClasses.inc"
};

char dxfClassOf(int code) {
  for (const DxfRange& r : dxfClasses)
    if (code >= r.first && code <= r.last) return r.cls;
  return '?';
}

char ourClassOf(int code) {
  switch (hvGroupCodeClass(code)) {
    case hvClassString: return 'S';
    case hvClassBinary: return 'B';
    case hvClassReal: return 'F';
    case hvClassPoint: return 'P';
    case hvClassInt16:
    case hvClassInt16Ex:
    case hvClassInt32:
    case hvClassInt64:
    case hvClassBool: return 'I';
    default: return '?';
  }
}

// The host keeps every code of 10 to 19, 110 to 119, 210 to 219 and 1010 to 1019
// as a whole point; DXF files give 19, 113 to 119, 214 to 219 and 1014 to 1019 as
// single reals.
bool isHostPointCode(int code) {
  return code == 19 || (code >= 113 && code <= 119) || (code >= 214 && code <= 219) ||
         (code >= 1014 && code <= 1019);
}

TEST(GroupCodeType, EveryDrawingCodeHasTheDxfValueClass) {
  int compared = 0;
  for (int code = 0; code < 5000; ++code) {
    const std::uint32_t type = hvGroupCodeType(code);
    if (type & hvTypeUntyped) continue;
    char expected = dxfClassOf(code);
    if (isHostPointCode(code)) {
      EXPECT_EQ(expected, 'F') << code;
      expected = 'P';
    }
    EXPECT_EQ(ourClassOf(code), expected) << "group code " << code;
    ++compared;
  }
  EXPECT_EQ(compared, 467);  // every typed drawing code was compared
}

// The stand-in host keeps its own typing of group codes (usable at compile
// time); both must store every value the same way.
static_assert(cadhost::groupCodeType(10).valueClass == cadhost::GroupValueClass::Point);
static_assert(cadhost::groupCodeType(50).angle && !cadhost::groupCodeType(5000).ownType);

TEST(GroupCodeType, AgreesWithTheHost) {
  using C = cadhost::GroupValueClass;
  for (int code = -10; code <= 5030; ++code) {
    const std::uint32_t type = hvGroupCodeType(code);
    const cadhost::GroupCodeType host = cadhost::groupCodeType(code);
    if (type == 0) {
      EXPECT_EQ(host.valueClass, C::None) << code;
      continue;
    }
    EXPECT_EQ((type & hvTypeUntyped) == 0, host.ownType) << code;
    if (type & hvTypeUntyped) continue;
    EXPECT_EQ((type & hvTypePointerLike) != 0, host.pointerLike) << code;
    EXPECT_EQ((type & hvTypeAngle) != 0, host.angle) << code;
    C expected = C::None;
    switch (type & hvClassMask) {
      case hvClassString: expected = (type & hvTypeHandle) ? C::Handle : C::Text; break;
      case hvClassInt16:
      case hvClassInt16Ex: expected = C::Int16; break;
      case hvClassInt32: expected = C::Int32; break;
      case hvClassInt64: expected = C::Int64; break;
      case hvClassBool: expected = C::Bool; break;
      case hvClassReal: expected = C::Real; break;
      case hvClassPoint: expected = C::Point; break;
      case hvClassName: expected = C::Name; break;
      case hvClassBinary: expected = C::Binary; break;
    }
    EXPECT_EQ(host.valueClass, expected) << code;
  }
}

}  // namespace

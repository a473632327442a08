#include "platform/win/Variant.h"

#include "platform/win/Exceptions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>
#include <string>

namespace {

// A VARIANT that clears itself.
struct Value {
  VARIANT v;
  Value() { VariantInit(&v); }
  ~Value() { VariantClear(&v); }
  static Value real(double d) {
    Value value;
    value.v.vt = VT_R8;
    value.v.dblVal = d;
    return value;
  }
  static Value text(const char16_t* s) {
    Value value;
    value.v.vt = VT_BSTR;
    value.v.bstrVal = SysAllocString(s);
    return value;
  }
  Value(Value&& other) noexcept : v(other.v) { VariantInit(&other.v); }
};

HRESULT failureOf(const VARIANT& v) {
  try {
    hvVariantToDouble(v);
  } catch (const COleException& e) {
    return e.m_sc;
  }
  return S_OK;
}

}  // namespace

TEST(Variant, ToDoubleFollowsTheConversionRules) {
  Value empty;
  EXPECT_EQ(hvVariantToDouble(empty.v), 0.0);

  Value integer;
  integer.v.vt = VT_I4;
  integer.v.lVal = -42;
  EXPECT_EQ(hvVariantToDouble(integer.v), -42.0);

  // Doubles pass unchanged, NaN payload and sign included.
  const double nan = std::bit_cast<double>(std::uint64_t{0xFFF8000000000000});
  EXPECT_EQ(std::bit_cast<std::uint64_t>(hvVariantToDouble(Value::real(nan).v)), 0xFFF8000000000000u);
  EXPECT_EQ(hvVariantToDouble(Value::real(INFINITY).v), INFINITY);
  EXPECT_EQ(hvVariantToDouble(Value::real(-INFINITY).v), -INFINITY);
  EXPECT_TRUE(std::signbit(hvVariantToDouble(Value::real(-0.0).v)));

  EXPECT_EQ(hvVariantToDouble(Value::text(u" 12.5e1\t").v), 125.0);
  EXPECT_EQ(hvVariantToDouble(Value::text(u"+.5").v), 0.5);
  EXPECT_EQ(hvVariantToDouble(Value::text(u"-3.").v), -3.0);
  EXPECT_EQ(hvVariantToDouble(Value::text(u"1e-400").v), 0.0);
}

TEST(Variant, TextThatIsNoNumberRaisesTheTypeMismatch) {
  for (const char16_t* text : {u"", u"  ", u"abc", u"1,5", u"12 3", u"nan", u"inf", u"0x10", u"1e", u"--1", u"1.2.3",
                               u"\u0661"}) {
    EXPECT_EQ(failureOf(Value::text(text).v), DISP_E_TYPEMISMATCH) << std::string(text, text + 1);
  }
  EXPECT_EQ(failureOf(Value::text(u"1e999").v), DISP_E_OVERFLOW);
  Value nullText;
  nullText.v.vt = VT_BSTR;
  nullText.v.bstrVal = nullptr;
  EXPECT_EQ(failureOf(nullText.v), DISP_E_TYPEMISMATCH);
  Value null;
  null.v.vt = VT_NULL;
  EXPECT_EQ(failureOf(null.v), DISP_E_TYPEMISMATCH);
  Value unknown;
  unknown.v.vt = 17;
  EXPECT_EQ(failureOf(unknown.v), DISP_E_BADVARTYPE);
  EXPECT_EQ(VariantClear(&unknown.v), DISP_E_BADVARTYPE);
  unknown.v.vt = VT_EMPTY;
}

TEST(Variant, ChangeTypeInPlaceFreesTheTextAndFailureLeavesTheValue) {
  Value value = Value::text(u"2.25");
  ASSERT_EQ(VariantChangeType(&value.v, &value.v, 0, VT_R8), S_OK);
  EXPECT_EQ(value.v.vt, VT_R8);
  EXPECT_EQ(value.v.dblVal, 2.25);

  Value bad = Value::text(u"x");
  Value target = Value::real(1.0);
  EXPECT_EQ(VariantChangeType(&target.v, &bad.v, 0, VT_R8), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(target.v.vt, VT_R8);
  EXPECT_EQ(target.v.dblVal, 1.0);
  EXPECT_EQ(VariantChangeType(&target.v, &bad.v, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(VariantChangeType(&target.v, &bad.v, 0, VT_EMPTY), S_OK);
  EXPECT_EQ(target.v.vt, VT_EMPTY);
}

TEST(Variant, CopyIsDeepAndReplacesTheOldText) {
  Value source = Value::text(u"a\0b");
  SysFreeString(source.v.bstrVal);
  source.v.bstrVal = SysAllocStringLen(u"a\0b", 3);  // texts may hold zeros
  Value destination = Value::text(u"old");
  ASSERT_EQ(VariantCopy(&destination.v, &source.v), S_OK);
  ASSERT_NE(destination.v.bstrVal, source.v.bstrVal);
  EXPECT_EQ(SysStringLen(destination.v.bstrVal), 3u);
  EXPECT_EQ(std::u16string(destination.v.bstrVal, 3), std::u16string(u"a\0b", 3));
  VariantClear(&source.v);
  EXPECT_EQ(destination.v.bstrVal[2], u'b');
  EXPECT_EQ(VariantCopy(&destination.v, &destination.v), S_OK);
  EXPECT_EQ(VariantCopy(nullptr, &source.v), E_INVALIDARG);
}

TEST(Variant, CheckErrorRaisesTheMatchingException) {
  EXPECT_NO_THROW(AfxCheckError(S_FALSE));
  EXPECT_THROW(AfxCheckError(E_OUTOFMEMORY), std::bad_alloc);
  EXPECT_THROW(AfxCheckError(E_FAIL), COleException);
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

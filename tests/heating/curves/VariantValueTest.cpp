#include "heating/curves/VariantValue.h"

#include "tests/heating/curves/DecimalCommaLocale.h"

#include "platform/win/Bstr.h"
#include "platform/win/Exceptions.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kQuietNaN = std::numeric_limits<double>::quiet_NaN();

VARIANT empty() {
  VARIANT v;
  VariantInit(&v);
  return v;
}

// A value of type `vt` whose payload is set by `fill`.
template <typename Fill>
VARIANT of(VARTYPE vt, Fill fill) {
  VARIANT v = empty();
  v.vt = vt;
  fill(v);
  return v;
}

VARIANT r8(double d) { return of(VT_R8, [d](VARIANT& v) { v.dblVal = d; }); }
VARIANT i4(LONG n) { return of(VT_I4, [n](VARIANT& v) { v.lVal = n; }); }
VARIANT text(LPCOLESTR s) { return of(VT_BSTR, [s](VARIANT& v) { v.bstrVal = SysAllocString(s); }); }

// Owns a VARIANT for the length of a test.
struct Held {
  VARIANT v;
  explicit Held(VARIANT value) : v(value) {}
  ~Held() { VariantClear(&v); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
};

std::uint64_t bitsOf(double d) { return std::bit_cast<std::uint64_t>(d); }

// What a result must hold.
enum class Expect { Number, PlusInfinity, OurNaN, Empty, Text };

struct Case {
  const char* name;
  std::function<VARIANT()> compute;
  Expect expect;
  double number = 0.0;
};

}  // namespace

TEST(VariantValue, OnlyFiniteDoublesAreValid) {
  EXPECT_EQ(bitsOf(kVariantValueNaN), 0xFFF8000000000000ull);
  for (double d : {1.5, -0.0, std::numeric_limits<double>::denorm_min()}) EXPECT_TRUE(variantValueIsValid(r8(d))) << d;
  for (double d : {kVariantValueNaN, kInf, -kInf, kQuietNaN}) EXPECT_FALSE(variantValueIsValid(r8(d))) << d;
  EXPECT_FALSE(variantValueIsValid(empty()));
  EXPECT_FALSE(variantValueIsValid(i4(3)));
}

TEST(VariantValue, ArithmeticTable) {
  const VARIANT one = r8(1.0);
  const std::vector<Case> cases = {
      {"1 / -0 is +infinity", [&] { return variantValueDiv(one, r8(-0.0)); }, Expect::PlusInfinity},
      {"1 / +0 is +infinity", [&] { return variantValueDiv(one, r8(0.0)); }, Expect::PlusInfinity},
      {"1 / +infinity is 0", [&] { return variantValueDiv(one, r8(kInf)); }, Expect::Number, 0.0},
      {"1 / NaN is NaN", [&] { return variantValueDiv(one, r8(kQuietNaN)); }, Expect::OurNaN},
      {"1 / empty is NaN", [&] { return variantValueDiv(one, empty()); }, Expect::OurNaN},
      {"6 / 4", [] { return variantValueDiv(r8(6.0), r8(4.0)); }, Expect::Number, 1.5},
      {"empty / 2 stays empty", [] { return variantValueDiv(empty(), r8(2.0)); }, Expect::Empty},
      {"infinity / 2 stays infinity", [] { return variantValueDiv(r8(kInf), r8(2.0)); }, Expect::PlusInfinity},
      {"empty + 2 stays empty", [] { return variantValueAdd(empty(), r8(2.0)); }, Expect::Empty},
      {"1 + 2", [&] { return variantValueAdd(one, r8(2.0)); }, Expect::Number, 3.0},
      {"1 + empty keeps 1", [&] { return variantValueAdd(one, empty()); }, Expect::Number, 1.0},
      {"1 + infinity is infinity", [&] { return variantValueAdd(one, r8(kInf)); }, Expect::PlusInfinity},
      {"NaN + 2 stays NaN", [] { return variantValueAdd(r8(kVariantValueNaN), r8(2.0)); }, Expect::OurNaN},
      {"text + 2 stays the text", [] { Held t(text(u"12")); return variantValueAdd(t.v, r8(2.0)); }, Expect::Text},
      {"5 - 7", [] { return variantValueSub(r8(5.0), r8(7.0)); }, Expect::Number, -2.0},
      {"3 x 4", [] { return variantValueMul(r8(3.0), r8(4.0)); }, Expect::Number, 12.0},
      {"huge x 10 overflows to infinity", [] { return variantValueMul(r8(1e308), r8(10.0)); }, Expect::PlusInfinity},
      {"sqrt(-4) is 0", [] { return variantValueSqrt(r8(-4.0)); }, Expect::Number, 0.0},
      {"sqrt(empty) is 0", [] { return variantValueSqrt(empty()); }, Expect::Number, 0.0},
      {"sqrt(16)", [] { return variantValueSqrt(r8(16.0)); }, Expect::Number, 4.0},
      {"tanh(+infinity) is 1", [] { return variantValueTanh(r8(kInf)); }, Expect::Number, 1.0},
      {"tanh(-infinity) is -1", [] { return variantValueTanh(r8(-kInf)); }, Expect::Number, -1.0},
      {"tanh(0.5)", [] { return variantValueTanh(r8(0.5)); }, Expect::Number, std::tanh(0.5)},
      {"tanh(NaN) is our NaN", [] { return variantValueTanh(r8(kQuietNaN)); }, Expect::OurNaN},
      {"tanh(empty) is NaN", [] { return variantValueTanh(empty()); }, Expect::OurNaN},
      {"tanh(text) is NaN", [] { Held t(text(u"1")); return variantValueTanh(t.v); }, Expect::OurNaN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Held result(c.compute());
    switch (c.expect) {
      case Expect::Number:
        ASSERT_EQ(result.v.vt, VT_R8);
        EXPECT_TRUE(variantValueIsValid(result.v));
        EXPECT_EQ(result.v.dblVal, c.number);
        break;
      case Expect::PlusInfinity:
        ASSERT_EQ(result.v.vt, VT_R8);
        EXPECT_EQ(result.v.dblVal, kInf);
        EXPECT_FALSE(variantValueIsValid(result.v));
        break;
      case Expect::OurNaN:
        ASSERT_EQ(result.v.vt, VT_R8);
        EXPECT_EQ(bitsOf(result.v.dblVal), kVariantValueNaNBits);
        EXPECT_FALSE(variantValueIsValid(result.v));
        break;
      case Expect::Empty:
        EXPECT_EQ(result.v.vt, VT_EMPTY);
        break;
      case Expect::Text:
        ASSERT_EQ(result.v.vt, VT_BSTR);
        EXPECT_EQ(std::u16string(result.v.bstrVal), u"12");
        break;
    }
  }
}

TEST(VariantValue, ComparisonsAndInPlaceSumIgnoreEmptyValues) {
  EXPECT_TRUE(variantValueNear(r8(1.0), 1.05, 0.1));
  EXPECT_FALSE(variantValueNear(r8(kQuietNaN), 0.0, kInf));
  EXPECT_TRUE(variantValueGreater(r8(2.0), 1.0, 0.5));
  EXPECT_FALSE(variantValueGreater(r8(kInf), 1.0, 0.5));
  EXPECT_TRUE(variantValueGreaterScaled(r8(7.0), r8(3.0), 2.0));
  EXPECT_FALSE(variantValueGreaterScaled(r8(7.0), empty(), 2.0));

  VARIANT v = r8(1.0);
  variantValueAddInPlace(v, 2.5);
  EXPECT_EQ(v.dblVal, 3.5);
  VARIANT e = empty();
  variantValueAddInPlace(e, 2.5);
  EXPECT_EQ(e.vt, VT_EMPTY);
  VARIANT n = r8(-kInf);
  variantValueAddInPlace(n, kInf);  // would give NaN if it were added
  EXPECT_EQ(n.dblVal, -kInf);
}

TEST(VariantValue, ConversionToDoubleMakesEmptyZeroAndRefusesBadText) {
  EXPECT_EQ(variantValueToDouble(empty()), 0.0);
  EXPECT_EQ(variantValueToDouble(r8(kQuietNaN)), 0.0);
  EXPECT_EQ(variantValueToDouble(r8(-kInf)), 0.0);
  EXPECT_EQ(variantValueToDouble(r8(2.5)), 2.5);
  EXPECT_EQ(variantValueToDouble(i4(7)), 7.0);
  Held number(text(u" 3.5 "));
  EXPECT_EQ(variantValueToDouble(number.v), 3.5);
  Held word(text(u"abc"));
  EXPECT_THROW(variantValueToDouble(word.v), COleException);
}

TEST(VariantValue, FailingCopyThrowsTheOleFailure) {
  VARIANT bad = empty();
  bad.vt = 99;  // no type the automation values know
  try {
    Held result(variantValueAdd(bad, r8(2.0)));
    FAIL() << "no exception";
  } catch (const COleException& e) {
    EXPECT_EQ(e.m_sc, DISP_E_BADVARTYPE);
  }
}

TEST(VariantValue, FormatterTable) {
  CString out(u"old text");
  EXPECT_EQ(&formatPercent(r8(0.1234), out), &out);
  EXPECT_EQ(out.str(), u"12.34 %");
  EXPECT_EQ(formatPercent(empty(), out).str(), u"0 %");
  EXPECT_EQ(formatPercent(r8(kQuietNaN), out).str(), u"0 %");
  EXPECT_EQ(formatValue(r8(-2.5), out, 2).str(), u"-2.50");

  struct Row {
    VARIANT value;
    double factor;
    int decimals;
    std::u16string expected;
  };
  const Row rows[] = {
      {r8(2.5), 1000.0, 1, u"2500.0"},         {r8(1234.56789), 1.0, 0, u"1235"},
      {r8(1234.56789), 1.0, 2, u"1234.57"},    {r8(1234.56789), 1.0, 3, u"1234.568"},
      {r8(1234.56789), 1.0, 4, u"1234.5679"},  {r8(2.5), 1000.0, 7, u"2500.000000"},  // "%lf"
      {r8(0.25), 1.0, -1, u"0.250000"},        {empty(), 1000.0, 2, u"0"},
      {r8(1e308), 1000.0, 2, u"0"},            // the product is no longer finite
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.value.dblVal << " x " << row.factor << ", " << row.decimals);
    EXPECT_EQ(formatValueDecimals(row.value, out, row.factor, row.decimals).str(), row.expected);
  }
}


TEST(VariantValue, FormatsWithADecimalPointWhateverTheProcessLocale) {
  DecimalCommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma can be made here";
  CString out;
  EXPECT_EQ(formatPercent(r8(0.1234), out).str(), u"12.34 %");
  EXPECT_EQ(formatValueDecimals(r8(2.5), out, 1000.0, 1).str(), u"2500.0");
  EXPECT_EQ(formatValueDecimals(r8(2.5), out, 1.0, 7).str(), u"2.500000");
}

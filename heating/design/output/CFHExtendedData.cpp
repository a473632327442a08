#include "heating/design/output/CFHExtendedData.h"

#include "heating/design/model/CFHManifoldFrame.h"
#include "heating/design/model/CFHPipeNetwork.h"

#include "heating/curves/PointFormat.h"
#include "heating/curves/VariantValue.h"

#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/XdataAppNames.h"

#include "platform/win/WideFormat.h"

#include <cmath>
#include <iterator>
#include <limits>

namespace {

constexpr const char16_t* kAnnotativeApp = u"VE2R_ANNOTATIVE";

}  // namespace

std::u16string formatIntValue(std::int32_t value) {
  return hvFormat(u"%d", value).value_or(u"0");
}

std::u16string formatFlagValue(std::uint64_t field) { return field != 0 ? u"1" : u"0"; }

std::u16string formatRealValue(double value, int decimals) {
  static constexpr LPCWSTR kFormats[] = {u"%.0lf", u"%.1lf", u"%.2lf", u"%.3lf", u"%.4lf"};
  if (!std::isfinite(value)) return u"0";
  const bool listed = decimals >= 0 && decimals < static_cast<int>(std::size(kFormats));
  return hvFormat(listed ? kFormats[decimals] : u"%lf", value).value_or(u"0");
}

std::u16string formatVarValue(const VARIANT& value, int decimals, double factor) {
  CString text;
  return formatValueDecimals(value, text, factor, decimals).str();
}

std::u16string formatPercentValue(const VARIANT& numerator, const VARIANT& denominator) {
  VARIANT quotient = variantValueDiv(numerator, denominator);
  std::u16string text = u"0";
  if (variantValueIsValid(quotient) && std::isfinite(quotient.dblVal * 100.0))
    text = hvFormat(u"%.0lf", quotient.dblVal * 100.0).value_or(u"0");
  VariantClear(&quotient);
  return text;
}

std::int32_t saturatedInt(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  if (value <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

std::u16string CFHPipeNetwork::formatLocalPoint(const XtGePoint2d& point) const {
  return formatPoint(manifoldToLocal(*this, point));
}

// ---- CFHDataChain ------------------------------------------------------------

CFHDataChain CFHDataChain::record(std::u16string_view id) {
  CFHDataChain chain;
  chain.append(ownedChain(buildResbufList({{1001, qevDataAppName}, {1000, id}})));
  return chain;
}

void CFHDataChain::add(std::u16string_view key, std::u16string_view value) {
  append(ownedChain(buildResbufList({{1000, key}, {1000, value}})));
}

void CFHDataChain::append(ownedChain chain) {
  if (failed_) return;
  if (!chain) {
    failed_ = true;
    return;
  }
  resbuf* tail = lastResbufNode(chain.get());
  if (last_ == nullptr) head_ = std::move(chain);
  else last_->next = chain.release();
  last_ = tail;
}

void CFHDataChain::appendCopy(const resbuf* chain) {
  if (chain != nullptr) append(copyOwnedChain(chain));
}

ownedChain CFHDataChain::release() {
  last_ = nullptr;
  if (failed_) head_.reset();
  return std::move(head_);
}

// ---- Groups beside the record ------------------------------------------------

ownedChain associationData(std::span<const std::u16string> handles) {
  CFHDataChain chain;
  chain.append(ownedChain(
      buildResbufList({{1001, hvAssociation::kApp}, {1005, u""}, {1000, hvAssociation::kKind}, {1070, 1}})));
  for (const std::u16string& handle : handles)
    chain.append(ownedChain(buildResbufList({{1070, hvAssociation::kHandleEntry}, {1005, handle}})));
  return chain.release();
}

ownedChain annotativeData(bool flag, bool secondFlag) {
  if (!flag) return nullptr;
  return ownedChain(buildResbufList({{1001, kAnnotativeApp}, {1071, secondFlag ? 3 : 1}}));
}

ownedChain dimensionStyleData() {
  return ownedChain(buildResbufList({{1001, acadAppName},
                                     {1000, u"DSTYLE"},
                                     {1002, u"{"},
                                     {1070, 42},
                                     {1040, 0.0},
                                     {1070, 44},
                                     {1040, 0.0},
                                     {1002, u"}"}}));
}

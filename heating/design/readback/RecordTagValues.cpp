#include "heating/design/readback/RecordTagValues.h"

#include "heating/design/model/CFHManifoldFrame.h"
#include "heating/design/calculation/CFHZoneCalc.h"

#include "heating/curves/PointFormat.h"

#include "platform/win/NumberParse.h"

#include <cmath>

std::optional<CString> tagText(const CFHEntityInOut& record, std::u16string_view key) {
  CString text;
  if (!record.findTag(key, text)) return std::nullopt;
  return text;
}

std::optional<std::int32_t> tagInt(const CFHEntityInOut& record, std::u16string_view key) {
  const std::optional<CString> text = tagText(record, key);
  if (!text) return std::nullopt;
  return static_cast<std::int32_t>(_wtoi(text->GetString()));
}

std::optional<double> tagReal(const CFHEntityInOut& record, std::u16string_view key) {
  const std::optional<CString> text = tagText(record, key);
  if (!text) return std::nullopt;
  return finiteNumber(text->GetString());
}

std::optional<VARIANT> tagValue(const CFHEntityInOut& record, std::u16string_view key) {
  const std::optional<CString> text = tagText(record, key);
  if (!text) return std::nullopt;
  if (text->view() == u"0") return emptyValue();
  return valueOf(finiteNumber(text->GetString()));
}

double finiteNumber(LPCWSTR text) {
  const double value = _wtof(text);
  return std::isfinite(value) ? value : 0.0;
}

std::optional<XtGePoint2d> tagLocalPoint(const CFHEntityInOut& record, std::u16string_view key,
                                         const CFHPipeNetwork& network) {
  const std::optional<CString> text = tagText(record, key);
  if (!text) return std::nullopt;
  XtGePoint2d local;
  parseNumberList(text->view(), local);
  for (double* coordinate : {&local.x, &local.y})
    if (!std::isfinite(*coordinate)) *coordinate = 0.0;
  return manifoldToDrawing(network, local);
}

const CFHEntityInOut* recordNumbered(const CFHDrawingInOut::RecordList& records, std::u16string_view key,
                                     std::int32_t number) {
  for (const CFHDrawingInOut::RecordPtr& record : records)
    if (record && tagInt(*record, key) == number) return record.get();
  return nullptr;
}

#include "heating/design/output/CFHLabelOutput.h"

#include "heating/design/model/CFHCircuit.h"
#include "heating/design/settings/CFHDescData.h"
#include "heating/design/drawing/CFHDrawingInOut.h"
#include "heating/design/output/CFHExtendedData.h"
#include "heating/design/model/CFHModel.h"
#include "heating/design/model/CFHModelQueries.h"
#include "heating/design/output/CFHOutputContext.h"
#include "heating/design/zones/CFHZoneDesign.h"
#include "heating/design/model/CFHZoneEntry.h"

#include "host/HostExport.h"
#include "host/SiblingModules.h"
#include "host/entities/commonProperties.h"
#include "host/entities/mtextList.h"

#include "resources/ModuleStrings.h"

#include "platform/win/WideFormat.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Texts turn with the user system: by minus its angle, within [0, 2 pi).
double textRotation() {
  const double turned = std::fmod(2.0 * std::numbers::pi - CFHDrawingInOut::instance().ucsAngle(), 2.0 * std::numbers::pi);
  return turned < 0.0 ? turned + 2.0 * std::numbers::pi : turned;
}

XtGePoint2d toWorld(XtGePoint2d point, const XtGeMatrix2d& matrix) { return point.transformBy(matrix); }

CFHOutputContext* contextOf(const CFHModel* model) { return model != nullptr ? model->outputContext : nullptr; }

// The text style of a label kind: the setting, or the drawing's first style
// while none is set.
CString labelStyle(const CFHDescData& desc, int kind) {
  const CString& style = desc.textStyles[static_cast<std::size_t>(kind)];
  return style.IsEmpty() ? desc.resolveTextStyle(style) : style;
}

// The properties of the replaced label on the label kind's layer.
ltEntProps labelProperties(const CFHEntityInOut* old, const CString& layer) {
  ltEntProps props = replacedProperties(old);
  props.layer = layer.str();
  return props;
}

// The widest line of a text that holds line feeds.
double widestLine(const HostExport2D* host, std::u16string_view text, std::u16string_view style, double height,
                  double widthFactor) {
  double widest = 0.0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    widest = std::max(widest, measureTextWidth(host, text.substr(start, end - start), style, height, widthFactor));
    start = end + 1;
  }
  return widest;
}

// The first line of a label: "\f<style>;\W<width factor>;<label>".
std::u16string labelLine(const CString& style, double widthFactor, const CString& label) {
  return hvFormat(u"\\f%s;\\W%.2f;%s", style, widthFactor, label).value_or(std::u16string());
}

// The zone's description: the description mask filled from its record by
// the product line's formatter, each backslash a line break; empty without
// the formatter.
std::u16string descriptionText(const resbuf* values, const CString& mask) {
  HvFormatDescProc format = hvSiblings.formatDescFromMask;
  if (format == nullptr || values == nullptr) return {};
  std::vector<char16_t> buffer(descFormatterBufferSize, u'\0');
  format(buffer.data(), values, mask.GetString(), 0, 0);
  buffer.back() = u'\0';
  std::u16string text(buffer.data());
  std::replace(text.begin(), text.end(), u'\\', u'\n');
  return text;
}

// The heating body's description and number label.
bool drawHeatingBody(const CFHZoneEntry& zone, CFHOutputContext& context, const HostExport2D* host,
                     const XtGeMatrix2d& matrix, const CFHPipeNetwork& network, const CFHDescData& desc) {
  const CFHHeatingBody& body = *zone.heatingBody;
  const double scale = zone.model()->textScale(host);
  const CString style = labelStyle(desc, CFHDescData::kStyleHeatingBody);
  const double widthFactor = desc.widthFactors[CFHDescData::kHeatingBody];
  CFHTextPlacement placement;
  placement.height = scale * desc.textHeights[CFHDescData::kHeatingBody];
  placement.insertion = toWorld(body.insertionPoint, matrix);
  placement.rotation = textRotation();
  const CString label = formatZoneLabel(zone, true);
  CString output;
  output.Format(IDS_TEXT_HEATING_BODY_OUTPUT, saturatedInt(body.output));
  CString bodyText;
  bodyText.LoadString(IDS_TEXT_HEATING_BODY);
  bodyText += u"\n";
  bodyText += output;
  placement.width = std::max(measureTextWidth(host, label.view(), style.view(), placement.height, widthFactor),
                             widestLine(host, bodyText.view(), style.view(), placement.height, widthFactor));
  const std::u16string text = labelLine(style, widthFactor, label) +
                              hvFormat(u"\n\\W%.2f;", widthFactor).value_or(std::u16string()) + bodyText.str();
  if (!writeOutputText(context, labelProperties(body.descriptionRecord, desc.layers[CFHDescData::kStyleHeatingBody]),
                       body.descriptionRecord, placement, text, style.view(), zone.buildHeatingBodyData(network), desc))
    return false;

  const CString numberStyle = labelStyle(desc, CFHDescData::kStyleCircuit);
  const double numberFactor = desc.widthFactors[CFHDescData::kCircuitLabel];
  CFHTextPlacement number;
  number.height = scale * desc.textHeights[CFHDescData::kCircuitLabel];
  number.insertion = toWorld(body.connectionPoint, matrix);
  number.rotation = placement.rotation;
  const std::u16string numberText = formatIntValue(static_cast<std::int32_t>(body.number));
  number.width = measureTextWidth(host, numberText, numberStyle.view(), number.height, numberFactor);
  CFHDataChain data = CFHDataChain::record(hvRecordId::kHeatingBodyNumber);
  data.add(u"_PT_ZONA_CISLO", formatIntValue(static_cast<std::int32_t>(zone.number)));
  return writeOutputText(context, labelProperties(body.numberRecord, desc.layers[CFHDescData::kStyleCircuit]),
                         body.numberRecord, number, numberText, numberStyle.view(), data.release(), desc);
}

}  // namespace

ltEntProps replacedProperties(const CFHEntityInOut* old) {
  ltEntProps props;
  if (old != nullptr && old->list() != nullptr) {
    entReader2D::commonProperties(props, old->list(), false);
    props.setTail(nullptr);
    props.setReactors(nullptr);
    props.handle.clear();
  }
  return props;
}

double measureTextWidth(const HostExport2D* host, std::u16string_view text, std::u16string_view style,
                        double height, double widthFactor, double* measuredHeight) {
  double width = 0.0;
  double answeredHeight = height;
  const std::u16string textCopy(text);
  const std::u16string styleCopy(style);
  if (!callHostWordOf<131>(host, textCopy.c_str(), styleCopy.c_str(), height, widthFactor, &width, &answeredHeight))
    answeredHeight = height;
  if (measuredHeight != nullptr) *measuredHeight = std::isfinite(answeredHeight) ? answeredHeight : height;
  return std::isfinite(width) && width > 0.0 ? width : 0.0;
}

bool writeOutputText(CFHOutputContext& context, ltEntProps props, const CFHEntityInOut* old,
                     const CFHTextPlacement& placement, std::u16string_view text, std::u16string_view style,
                     ownedChain data, const CFHDescData& desc) {
  if (!data || !markOutputEntity(context, props, old != nullptr ? old->handle() : nullptr)) return false;
  props.appendToTail(std::move(data));
  props.appendToTail(annotativeData(desc.annotative != 0, desc.annotativeSecond != 0));
  const ownedChain list(entBuilder2D::mtext(props, placement.insertion, placement.height, placement.width,
                                            placement.attachment, 1, text, style, placement.rotation, 1, 1.0, 0, 0.0,
                                            0, old != nullptr ? old->list() : nullptr));
  return context.makeEntity(list.get());
}

bool CFHPipeNetwork::drawManifoldLabel(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles&,
                                       const CFHDescData& desc, const CFHEntityInOut* oldLabel) {
  CFHOutputContext* context = contextOf(owner_);
  if (context == nullptr) return false;
  const CString style = labelStyle(desc, CFHDescData::kStyleManifold);
  CFHTextPlacement placement;
  placement.height = owner_->textScale(host) * desc.textHeights[CFHDescData::kManifoldLabel];
  double measuredHeight = placement.height;
  placement.width = measureTextWidth(host, mark.view(), style.view(), placement.height,
                                     desc.widthFactors[CFHDescData::kManifoldLabel], &measuredHeight);
  placement.insertion =
      toWorld(labelPoint - XtGeVector2d(0.5 * placement.width + 0.5 * measuredHeight, 0.0), matrix);
  placement.rotation = textRotation();
  if (oldLabel != nullptr && oldLabel->list() != nullptr) {
    // The old label keeps where and how large it was.
    XtGePoint2d insertion;
    double height = 0.0, width = 0.0, rotation = 0.0, spacing = 1.0;
    int attachment = 5, direction = 1, spacingStyle = 1;
    std::u16string oldText, oldStyle;
    if (entReader2D::mtext(insertion, height, width, attachment, direction, oldText, oldStyle, rotation, spacingStyle,
                           spacing, oldLabel->list(), nullptr) == 1) {
      placement.insertion = insertion;
      placement.height = height;
      placement.width = width;
      placement.attachment = attachment;
    }
  }
  return writeOutputText(*context, labelProperties(oldLabel, desc.layers[CFHDescData::kStyleManifold]),
                         oldLabel, placement, mark.view(), style.view(),
                         CFHDataChain::record(hvRecordId::kManifoldLabel).release(), desc);
}

bool CFHZoneEntry::drawDescription(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles&,
                                   const CFHPipeNetwork& network, const CFHDescData& desc) {
  CFHOutputContext* context = contextOf(model_);
  if (context == nullptr) return false;
  const CFHZoneBoundary* boundary = design_ != nullptr ? design_->boundary() : nullptr;
  const CString label = formatZoneLabel(*this, false);
  ownedChain values = buildLabelData(network);
  const std::u16string description = descriptionText(values.get(), desc.descriptionMask);

  const CString style = labelStyle(desc, CFHDescData::kStyleZone);
  const double labelHeight = desc.textHeights[CFHDescData::kZoneLabel];
  const double lineHeight = desc.textHeights[CFHDescData::kZoneDescription];
  const double labelFactor = desc.widthFactors[CFHDescData::kZoneLabel];
  const double lineFactor = desc.widthFactors[CFHDescData::kZoneDescription];
  const double scale = model_->textScale(host);
  CFHTextPlacement placement;
  placement.height = scale * labelHeight;
  placement.insertion = toWorld(boundary != nullptr ? boundary->cachedPoint(true) : XtGePoint2d(), matrix);
  placement.rotation = textRotation();
  placement.width = std::max(measureTextWidth(host, label.view(), style.view(), placement.height, labelFactor),
                             widestLine(host, description, style.view(), scale * lineHeight, lineFactor));
  std::u16string text = labelLine(style, labelFactor, label);
  if (!description.empty())
    text += hvFormat(u"\n\\W%.2f;\\H%.2fx;", lineFactor, lineHeight / labelHeight).value_or(std::u16string()) +
            description;
  if (!writeOutputText(*context, labelProperties(labelRecord, desc.layers[CFHDescData::kStyleZone]),
                       labelRecord, placement, text, style.view(), std::move(values), desc))
    return false;
  return !hasPlacedHeatingBody() || drawHeatingBody(*this, *context, host, matrix, network, desc);
}

bool CFHCircuit::drawLabel(const HostExport2D* host, const XtGeMatrix2d& matrix, const CFHPipeStyles&,
                           const CFHDescData& desc, std::vector<XtGePoint2d>& labelPoints) {
  CFHOutputContext* context = contextOf(model_);
  if (context == nullptr) return false;
  const std::u16string text = formatIntValue(static_cast<std::int32_t>(number));
  const double widthFactor = desc.widthFactors[CFHDescData::kCircuitLabel];
  CFHTextPlacement placement;
  placement.height = model_->textScale(host) * desc.textHeights[CFHDescData::kCircuitLabel];
  placement.width = static_cast<double>(text.size()) * placement.height * widthFactor;
  placement.insertion = toWorld(labelPosition(placement.height, placement.width), matrix);
  placement.rotation = textRotation();
  labelPoints.push_back(placement.insertion);
  CFHDataChain data = CFHDataChain::record(hvRecordId::kCircuitLabel);
  data.append(buildDataList(model_->pipeNetwork()));
  return writeOutputText(*context, labelProperties(labelRecord, desc.layers[CFHDescData::kStyleCircuit]),
                         labelRecord, placement, text, labelStyle(desc, CFHDescData::kStyleCircuit).view(),
                         data.release(), desc);
}

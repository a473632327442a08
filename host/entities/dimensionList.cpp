#include "host/entities/dimensionList.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "host/HvHostApi.h"
#include "host/ResbufBuilder.h"
#include "host/ResbufChain.h"
#include "host/entities/dimStyleOverride.h"
#include "host/entities/entityHeader.h"
#include "host/entities/entityListPairs.h"
#include "host/entities/finiteValues.h"
#include "host/entities/findXdataApp.h"
#include "host/entities/ownedChain.h"
#include "host/entities/ucsMatrix.h"

namespace {

// Sets each override the chain does not hold yet; answers the chain.
resbuf* addMissingOverrides(resbuf* chain, std::initializer_list<std::pair<int, double>> overrides) {
  for (const auto& [variable, value] : overrides)
    if (findDimStyleOverride(chain, variable) == nullptr) chain = setDimStyleOverrideReal(chain, variable, value);
  return chain;
}

}  // namespace

std::optional<double> hostDimScale() {
  ownedChain answer(callHostApi<6>(u"DIMSCALE", resbufType::real).value_or(nullptr));
  if (!answer || answer->code != resbufType::real) return std::nullopt;
  return answer->value.real;
}

resbuf* writeDimension(const ltEntProps& props, const XtGePoint2d& firstPoint, const XtGePoint2d& secondPoint,
                       const XtGePoint2d& dimLinePoint, std::u16string_view styleName, double rotation,
                       double extensionLength, std::u16string_view textOverride, bool textHorizontal) {
  if (!allFinite({firstPoint.x, firstPoint.y, secondPoint.x, secondPoint.y, dimLinePoint.x, dimLinePoint.y, rotation,
                  extensionLength}))
    return nullptr;
  XtGePoint2d d1 = firstPoint, d2 = secondPoint;
  if (extensionLength != 0.0) {
    const XtGeVector2d u(std::cos(rotation), std::sin(rotation));
    const XtGePoint2d p = d1 + u * (d2 - d1).dotProduct(u);
    const XtGePoint2d q = d2 + u * (d1 - d2).dotProduct(u);
    if ((q - dimLinePoint).length() > (d1 - dimLinePoint).length()) d1 = q;
    else d2 = p;
  }
  const double textDirection =
      textHorizontal ? 2.0 * std::numbers::pi - (ucsMatrix() * XtGeVector2d(1.0, 0.0)).angle() : 0.0;

  ownedChain tail(entBuilder2D::tailCopy(props));
  ownedChain ownBlock;
  if (extensionLength != 0.0) {
    const std::optional<double> host = hostDimScale();
    const double scale = host && std::isfinite(*host) && *host > 0.0 ? *host : 50.0;
    const double offset = ((dimLinePoint - d2).length() - extensionLength) / scale;
    if (findXdataApp(tail.get(), u"ACAD") == 2) {
      tail.reset(addMissingOverrides(tail.release(), {{40, scale}, {42, offset}}));
    } else {
      ownBlock.reset(addMissingOverrides(nullptr, {{40, scale}, {42, offset}}));
      if (!ownBlock) return nullptr;
    }
  }

  entityListPairs pairs(props, u"DIMENSION");
  pairs.add(100, u"AcDbDimension");
  pairs.addPoint(10, dimLinePoint.x, dimLinePoint.y);
  pairs.add(70, 32);
  pairs.add(1, textOverride.empty() ? std::u16string_view(u"<>") : textOverride);
  pairs.add(71, 5);
  pairs.add(51, textDirection);
  pairs.add(3, styleName);
  pairs.add(210, std::array<double, 3>{0.0, 0.0, 1.0});
  pairs.add(100, u"AcDbAlignedDimension");
  pairs.addPoint(13, d1.x, d1.y);
  pairs.addPoint(14, d2.x, d2.y);
  pairs.add(50, rotation);
  pairs.add(100, u"AcDbRotatedDimension");
  pairs.splice(ownBlock.release());
  return pairs.buildWithTail(tail.release());
}

resbuf* writeDimStyleOverrides(int firstExtensionShown, int secondExtensionShown, double arrowSize,
                               double textHeight, int textVerticalPlacement, int textInsideHorizontal,
                               std::u16string_view firstArrowBlock, std::u16string_view secondArrowBlock,
                               int textColour, int textInsideExtensions) {
  std::vector<ResbufPair> pairs;
  auto pair = [&pairs](int variable, int code, const ResbufArg& value) {
    pairs.push_back({1070, variable});
    pairs.push_back({code, value});
  };
  if (const std::optional<double> scale = hostDimScale(); scale && std::isfinite(*scale)) pair(40, 1040, *scale);
  if (firstExtensionShown != -1) pair(75, 1070, firstExtensionShown == 0 ? 1 : 0);
  if (secondExtensionShown != -1) pair(76, 1070, secondExtensionShown == 0 ? 1 : 0);
  if (arrowSize > 0.0 && std::isfinite(arrowSize)) pair(41, 1040, arrowSize);
  if (textHeight > 0.0 && std::isfinite(textHeight)) pair(140, 1040, textHeight);
  if (textVerticalPlacement != -1) pair(77, 1070, textVerticalPlacement);
  if (textInsideHorizontal != -1) pair(73, 1070, textInsideHorizontal);
  if (!secondArrowBlock.empty()) pair(344, 1005, secondArrowBlock);
  if (!firstArrowBlock.empty()) pair(343, 1005, firstArrowBlock);
  if (textInsideExtensions != -1) pair(174, 1070, textInsideExtensions);
  if (textColour != -1) pair(178, 1070, textColour);
  if (pairs.empty()) return nullptr;
  pairs.insert(pairs.begin(), {{1001, u"ACAD"}, {1000, u"DSTYLE"}, {1002, u"{"}});
  pairs.push_back({1002, u"}"});
  return buildResbufList(pairs);
}

// The preview of a zone design: its edges on the preview canvas, and the
// host's linetype patterns and lengths the preview draws with.
#include "heating/design/zones/CFHZoneDesignPreview.h"

#include "heating/design/zones/CFHZoneDesign.h"

#include "heating/curves/DrawingUnitFactor.h"

#include "host/CodePageText.h"
#include "host/HostExport.h"

#include "platform/cadhost/HostStatus.h"

#include "ui/gdi/canvas.h"

#include <algorithm>
#include <cmath>

namespace {

// More dashes than any linetype has: a longer list is not a linetype's.
constexpr int kMaxDashes = 1024;

}  // namespace

void CFHZoneDesign::drawBoundaryEdges(GDI::canvas& canvas, const std::pair<CFHPipeStyle, CFHPipeStyle>& styles,
                                      int mode) const {
  if (!boundary_) return;
  const std::string linetypes[2] = {styles.first.linetypeForHost(), styles.second.linetypeForHost()};
  const CFHBoundLoop& sides = boundary_->asDrawnLoop;
  for (int i = 0; i < sides.itemCount(); ++i) {
    const CFHBoundLoopItem& side = *sides.item(i);
    if (!side.hasCurve()) continue;
    const bool selected =
        mode == 1 && side.id >= 0 &&
        std::find(selectedEdgeIds_.begin(), selectedEdgeIds_.end(), static_cast<std::uint32_t>(side.id)) !=
            selectedEdgeIds_.end();
    const CFHPipeStyle& style = selected ? styles.second : styles.first;
    const auto key = static_cast<std::int64_t>(edgeKey(static_cast<std::uint32_t>(std::max(side.id, 0))));
    canvas.addCurve(&side.curve->geCurve(), style.colour, static_cast<std::int32_t>(style.penWidth),
                    linetypes[selected ? 1 : 0].c_str(), nullptr, key, 0, 1);
  }
}

std::optional<CFHLinePattern> linePatternFromHost(const CFHPipeStyle& style) {
  const auto dashList = hostWordOf<60>(getExport2D());
  if (dashList == nullptr) return std::nullopt;
  const std::string name = style.linetypeForHost();
  const double* dashes = nullptr;
  int count = 0;
  if (dashList(name.c_str(), &dashes, &count) != hostStatus::normal || dashes == nullptr || count < 1 ||
      count > kMaxDashes)
    return std::nullopt;
  const double factor = static_cast<double>(style.scale) * 8.0 / 1000.0 * usableDrawingUnitFactor();
  CFHLinePattern pattern;
  pattern.name = style.linetype;
  for (int i = 0; i < count; ++i) {
    const double v = dashes[i] * factor;
    if (!std::isfinite(v)) return std::nullopt;
    const bool drawn = dashes[i] >= 0.0;
    if (!pattern.drawn.empty() && pattern.drawn.back() == drawn) {
      pattern.lengths.back() += std::fabs(v);
    } else {
      pattern.lengths.push_back(std::fabs(v));
      pattern.drawn.push_back(drawn);
    }
    pattern.total += std::fabs(v);
  }
  return pattern;
}

double hostLengthValue(const CFHHostLength* host, int flag) {
  if (host == nullptr) return 0.0;
  if (flag == 0) return host->length ? *host->length * usableDrawingUnitFactor() * 0.001 : 0.0;
  if (flag == 1) return host->second.value_or(0.0);
  return 0.0;
}

#include "host/entities/mleaderList.h"

#include <cmath>

#include "host/HvHostApi.h"
#include "host/entities/entityListPairs.h"

namespace {

std::array<double, 3> triple(const XtGePoint3d& p) { return {p.x, p.y, p.z}; }
std::array<double, 3> triple(const XtGeVector3d& v) { return {v.x, v.y, v.z}; }
std::array<double, 3> triple(const XtGeScale3d& s) { return {s.sx, s.sy, s.sz}; }
std::array<double, 3> scaled(const XtGeScale3d& s, double f) { return {s.sx / f, s.sy / f, s.sz / f}; }

void appendText(entityListPairs& pairs, const mleaderContext& c, const std::u16string& text) {
  pairs.add(304, text);
  pairs.add(11, triple(c.textNormal));
  if (!c.textStyleHandle.empty()) pairs.add(340, c.textStyleHandle);
  pairs.add(12, triple(c.textLocation));
  pairs.add(13, triple(c.textDirection));
  pairs.add(42, c.textRotation);
  pairs.add(43, c.textWidth);
  pairs.add(44, c.textDefinedHeight);
  pairs.add(45, c.lineSpacingFactor);
  pairs.add(170, c.lineSpacingStyle);
  pairs.add(90, c.textColour);
  pairs.add(171, c.textAttachment);
  pairs.add(172, c.flowDirection);
  pairs.add(91, c.backgroundColour);
  pairs.add(141, c.backgroundScale);
  pairs.add(92, c.backgroundTransparency);
  pairs.add(291, c.backgroundOn);
  pairs.add(292, c.windowColour);
  pairs.add(173, c.columnType);
  pairs.add(293, c.autoHeight);
  pairs.add(142, c.columnWidth);
  pairs.add(143, c.columnGutter);
  pairs.add(294, c.flowReversed);
  pairs.add(295, c.columnCount);
}

void appendBlock(entityListPairs& pairs, const mleaderContext& c) {
  pairs.add(341, c.blockHandle);
  pairs.add(14, triple(c.blockNormal));
  pairs.add(15, triple(c.blockPosition));
  pairs.add(16, triple(c.blockScale));
  pairs.add(46, c.blockRotation);
  pairs.add(93, c.blockColour);
  for (double entry : c.blockMatrix) pairs.add(47, entry);
}

void appendLeader(entityListPairs& pairs, const mleaderLeader& leader) {
  pairs.add(302, u"LEADER{");
  pairs.add(290, leader.hasLastLine);
  pairs.add(291, leader.hasDogleg);
  pairs.add(10, triple(leader.lastPoint));
  pairs.add(11, triple(leader.doglegDirection));
  pairs.add(90, leader.index);
  pairs.add(40, leader.doglegLength);
  for (const mleaderLine& line : leader.lines) {
    pairs.add(304, u"LEADER_LINE{");
    for (const XtGePoint3d& p : line.vertices) pairs.add(10, triple(p));
    pairs.add(91, line.index);
    pairs.add(305, u"}");
  }
  pairs.add(271, leader.attachmentDirection);
  pairs.add(303, u"}");
}

// Every real of the record that reaches the list.
bool isWritable(const mleaderStyle& r) {
  const mleaderContext& c = r.context;
  std::vector<double> reals{r.overallScale, r.doglegLength, r.arrowSize, r.blockScale.sx, r.blockScale.sy,
                            r.blockScale.sz, c.scale, c.contentBase.x, c.contentBase.y, c.contentBase.z,
                            c.textHeight, c.arrowSize, c.landingGap, c.textLocation.x, c.textLocation.y,
                            c.textLocation.z, c.textRotation, c.textWidth, c.textDefinedHeight,
                            c.lineSpacingFactor, c.backgroundScale, c.columnWidth, c.columnGutter,
                            c.blockPosition.x, c.blockPosition.y, c.blockPosition.z, c.blockRotation,
                            c.planeOrigin.x, c.planeOrigin.y, c.planeOrigin.z};
  reals.insert(reals.end(), c.blockMatrix.begin(), c.blockMatrix.end());
  for (const mleaderLeader& leader : c.leaders) {
    reals.insert(reals.end(), {leader.lastPoint.x, leader.lastPoint.y, leader.lastPoint.z, leader.doglegLength});
    for (const mleaderLine& line : leader.lines)
      for (const XtGePoint3d& p : line.vertices) reals.insert(reals.end(), {p.x, p.y, p.z});
  }
  for (const mleaderAttribute& a : r.attributes) reals.push_back(a.width);
  for (double v : reals)
    if (!std::isfinite(v)) return false;
  return r.overallScale != 0.0;
}

}  // namespace

resbuf* writeMLeader(const mleaderStyle& record, const ltEntProps& props) {
  const bool blockOverrides = (record.overrideFlags >> 19 & 1u) && (record.overrideFlags >> 22 & 1u);
  if ((blockOverrides && record.styleHandle.empty()) || !isWritable(record)) return nullptr;
  const mleaderContext& c = record.context;
  std::u16string text = c.text;
  const bool underlined = c.leftAttachment == 8 || c.rightAttachment == 8;
  if (hvHostValues().hostType != 3 && underlined && text.rfind(u"\\L", 0) != 0) text.insert(0, u"\\L");

  entityListPairs pairs(props, u"MULTILEADER");
  pairs.add(100, u"AcDbMLeader");
  pairs.add(270, 2);
  pairs.add(300, u"CONTEXT_DATA{");
  pairs.add(40, c.scale);
  pairs.add(10, triple(c.contentBase));
  pairs.add(41, c.textHeight);
  pairs.add(140, c.arrowSize);
  pairs.add(145, c.landingGap);
  pairs.add(174, c.leftAttachment);
  pairs.add(175, c.rightAttachment);
  pairs.add(176, c.textAlignment);
  pairs.add(177, c.attachmentType);
  pairs.add(290, c.hasText);
  if (c.hasText) appendText(pairs, c, text);
  pairs.add(296, c.hasBlock);
  if (c.hasBlock) appendBlock(pairs, c);
  pairs.add(110, triple(c.planeOrigin));
  pairs.add(111, triple(c.planeXAxis));
  pairs.add(112, triple(c.planeYAxis));
  pairs.add(297, c.normalReversed);
  for (const mleaderLeader& leader : c.leaders) appendLeader(pairs, leader);
  pairs.add(272, c.topAttachment);
  pairs.add(273, c.bottomAttachment);
  pairs.add(301, u"}");

  pairs.add(340, record.styleHandle);
  pairs.add(90, record.overrideFlags);
  pairs.add(170, record.leaderLineType);
  pairs.add(91, record.leaderLineColour);
  pairs.add(171, record.leaderLineWeight);
  pairs.add(290, record.contentType == 2 && record.doglegLength > 0.0);
  pairs.add(291, record.dogleg);
  pairs.add(41, record.doglegLength / record.overallScale);
  if (!record.arrowHandle.empty()) {
    pairs.add(342, record.arrowHandle);
    pairs.add(42, record.arrowSize / record.overallScale);
  }
  pairs.add(172, record.contentType);
  if (record.contentType == 2) {
    pairs.add(343, record.textStyleHandle);
    pairs.add(173, record.textLeftAttachment);
    pairs.add(95, record.textRightAttachment);
    pairs.add(174, record.textAngleType);
    pairs.add(175, record.textAlignment);
    pairs.add(92, record.textColour);
    pairs.add(292, record.textFrame);
  } else if (record.contentType == 1) {
    pairs.add(344, record.blockHandle);
    pairs.add(10, scaled(record.blockScale, record.overallScale));
  }
  pairs.add(293, 0);
  for (const mleaderAttribute& a : record.attributes) {
    pairs.add(330, a.definitionHandle);
    pairs.add(177, a.index);
    pairs.add(44, a.width);
    pairs.add(302, a.text);
  }
  pairs.add(45, record.overallScale);
  return pairs.build(props);
}

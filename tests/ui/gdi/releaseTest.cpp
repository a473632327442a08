#include "platform/ge/XtGeCurve2dPtrArray.h"
#include "platform/ge/XtGeLineSeg2d.h"
#include "platform/ge/XtGePoint2dArray.h"
#include "ui/gdi/curve.h"
#include "ui/gdi/handleArray.h"
#include "ui/gdi/item.h"
#include "ui/gdi/ptrArray.h"
#include "ui/gdi/releaseGdiItemArray.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A node shaped like the boundary tree's: raw children and a raw owned curve.
struct treeNode {
  std::vector<treeNode*> children;
  XtGeCurve2d* owned = nullptr;
  static inline int live = 0;
  treeNode() { ++live; }
  ~treeNode() { --live; }
};

struct curveRecord {
  XtGePoint2dArray points{64};
};

}  // namespace

TEST(releaseGdiItemArray, FreesNestedItemsAndSkipsNullEntries) {
  const std::int64_t before = GDI::item::liveCount();
  std::vector<GDI::item*> layer{new GDI::item, nullptr, new GDI::curve};
  layer[0]->children = {new GDI::item, nullptr, new GDI::curve};
  layer[0]->children[0]->children.push_back(new GDI::item);
  EXPECT_EQ(GDI::item::liveCount(), before + 5);
  releaseGdiItemArray(layer);
  EXPECT_TRUE(layer.empty());
  EXPECT_EQ(GDI::item::liveCount(), before);

  // An item deleted on its own takes its children with it.
  auto* parent = new GDI::item;
  parent->children.push_back(new GDI::curve);
  delete parent;
  EXPECT_EQ(GDI::item::liveCount(), before);

  // releasePreviewItem keeps the item itself.
  GDI::curve kept;
  kept.children.push_back(new GDI::item);
  releasePreviewItem(kept);
  EXPECT_TRUE(kept.children.empty());
  EXPECT_EQ(kept.paintBuffer(), nullptr);
}

TEST(releaseGdiItemArray, ReleasesTreeNodesWithTheirCurvesAndDeepChains) {
  XtGeArray<treeNode*> roots;
  treeNode* node = new treeNode;
  roots.append(node);
  roots.append(nullptr);
  // A chain far deeper than a recursive release could walk.
  for (int depth = 0; depth < 100000; ++depth) {
    node->owned = new XtGeLineSeg2d(XtGePoint2d(depth, 0), XtGePoint2d(depth + 1, 0));
    node->children.push_back(nullptr);
    node->children.push_back(new treeNode);
    node = node->children.back();
  }
  releaseGdiItemArray(roots);
  EXPECT_EQ(roots.length(), 0);
  EXPECT_EQ(treeNode::live, 0);
}

TEST(handleArray, ReleasesPensAndBrushesWithTheirHandles) {
  const std::size_t before = hvLiveGdiObjectCount();
  std::vector<GDI::penHolder*> pens{new GDI::penHolder(PS_DASH, 2, RGB(255, 0, 0)), nullptr,
                                    new GDI::penHolder};
  XtGeArray<GDI::brushHolder*> brushes;
  brushes.append(new GDI::brushHolder(RGB(0, 0, 255)));
  brushes.append(nullptr);
  EXPECT_EQ(hvLiveGdiObjectCount(), before + 2);
  GDI::handleArray::release(pens);
  GDI::handleArray::release2(brushes);
  EXPECT_TRUE(pens.empty());
  EXPECT_EQ(brushes.length(), 0);
  EXPECT_EQ(hvLiveGdiObjectCount(), before);
}

TEST(ptrArray, ReleasesThroughVirtualDestructorsAndCurveRecords) {
  XtGeCurve2dPtrArray curves;
  curves.append(new XtGeLineSeg2d(XtGePoint2d(0, 0), XtGePoint2d(1, 1)));
  curves.append(nullptr);
  ptrArray::releaseAll(curves);
  EXPECT_EQ(curves.length(), 0);

  std::vector<curveRecord*> records{new curveRecord, nullptr, new curveRecord};
  curveArray::releaseAll(records);
  EXPECT_TRUE(records.empty());
}

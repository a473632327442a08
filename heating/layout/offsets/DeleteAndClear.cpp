#include "heating/layout/offsets/DeleteAndClear.h"

#include "heating/layout/offsets/CFHCurveHolder.h"
#include "heating/layout/offsets/CFHPointPair.h"
#include "heating/layout/offsets/COffsetEdge.h"
#include "heating/layout/offsets/COffsetNode.h"
#include "heating/layout/offsets/COffsetPiece.h"
#include "heating/layout/offsets/COffsetSection.h"

#include "heating/curves/CFloorHeatingCurve.h"

namespace {

// Deletes every present element and empties the vector.
template <typename T>
void deleteAllAndClear(std::vector<T*>& items) {
  for (T*& item : items) {
    delete item;
    item = nullptr;
  }
  items.clear();
}

}  // namespace

void deleteCurvesAndClear(std::vector<CFloorHeatingCurve*>& curves) { deleteAllAndClear(curves); }

void deletePiecesAndClear(std::vector<COffsetPiece*>& pieces) { deleteAllAndClear(pieces); }

void deleteLoopSectionsAndClear(std::vector<CLoopElement*>& elements) { deleteAllAndClear(elements); }

void deleteOffsetSectionsAndClear(std::vector<COffsetSection*>& sections) { deleteAllAndClear(sections); }

void deleteOffsetEdgesAndClear(std::vector<COffsetEdge*>& edges) {
  for (COffsetEdge* edge : edges)
    if (edge != nullptr) edge->unlink();
  deleteAllAndClear(edges);
}

void deleteOffsetNodesAndClear(std::vector<COffsetNode*>& nodes) { deleteAllAndClear(nodes); }

void deletePointPairsAndClear(std::vector<CFHPointPair*>& pairs) { deleteAllAndClear(pairs); }

void deleteCurveHoldersAndClear(std::vector<CFHCurveHolder*>& holders) { deleteAllAndClear(holders); }

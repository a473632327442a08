// The delete-and-clear operations of the layout's owning pointer vectors: each
// destroys every element of the vector that is present (null entries are
// passed over) and then empties the vector.
//
// The loop operations are templates over the loop type, so that they serve
// the offset loops (and their levels) wherever that type is complete.
#pragma once

#include <vector>

class CFloorHeatingCurve;
class CLoopElement;
struct CFHCurveHolder;
struct CFHPointPair;
class COffsetSection;
struct COffsetEdge;
struct COffsetNode;
struct COffsetPiece;

// Deletes every curve through its virtual destructor.
void deleteCurvesAndClear(std::vector<CFloorHeatingCurve*>& curves);
// Deletes every piece record with its curve.
void deletePiecesAndClear(std::vector<COffsetPiece*>& pieces);
// Deletes every loop element through its virtual destructor (which frees the
// curve the element owns).
void deleteLoopSectionsAndClear(std::vector<CLoopElement*>& elements);
// Deletes every section with its curve; the nodes it lists stay.
void deleteOffsetSectionsAndClear(std::vector<COffsetSection*>& sections);
// Unlinks every edge from its nodes, then deletes it. Call it before the
// nodes are deleted.
void deleteOffsetEdgesAndClear(std::vector<COffsetEdge*>& edges);
// Deletes every node (the edges still holding one lose that end).
void deleteOffsetNodesAndClear(std::vector<COffsetNode*>& nodes);
// Deletes every two-point record.
void deletePointPairsAndClear(std::vector<CFHPointPair*>& pairs);
// Deletes every curve holder, and with it the curve it holds.
void deleteCurveHoldersAndClear(std::vector<CFHCurveHolder*>& holders);

// Deletes every loop and releases the vector's storage too.
template <typename Loop>
void deleteOffsetLoopsAndFree(std::vector<Loop*>& loops) {
  for (Loop*& loop : loops) {
    delete loop;
    loop = nullptr;
  }
  std::vector<Loop*>().swap(loops);
}

// Frees every level (a vector of loops, through deleteOffsetLoopsAndFree),
// then the level itself.
template <typename Loop>
void deleteLoopListsAndClear(std::vector<std::vector<Loop*>*>& levels) {
  for (std::vector<Loop*>*& level : levels) {
    if (level == nullptr) continue;
    deleteOffsetLoopsAndFree(*level);
    delete level;
    level = nullptr;
  }
  levels.clear();
}

// The state of one output of a design into the drawing: the host table it
// writes through, the handle of the manifold every output entity is tied to,
// and the handles given to the entities written so far, which the manifold
// lists when it is written last (with those an edit left as drawn).
//
// Lifetime: made by CFHModel::drawDesign on its own frame; the model points
// to it for the length of the output (CFHModel::outputContext) and the
// writers reach it through their model. The command's thread only.
#pragma once

#include "platform/cadhost/HostTables.h"
#include "platform/cadhost/resbuf.h"

#include <string>
#include <vector>

class ltEntProps;

struct CFHOutputContext {
  const HostExport2D* host = nullptr;
  // The selected manifold's handle (one entry; none without a manifold).
  std::vector<std::u16string> manifoldHandles;
  // The handles of the entities written, in the order they were given.
  std::vector<std::u16string> newHandles;
  // The handles of the entities an edit left as drawn (CFHKeptAsDrawn.h),
  // which the manifold keeps listing after the new ones.
  std::vector<std::u16string> keptHandles;

  // Takes a handle off the new-handle list again (its entity was refused);
  // the last entry of that text goes.
  void dropHandle(const std::u16string& handle);
  // Hands the list to the host (word 114); true when it answers 5100.
  bool makeEntity(const resbuf* list) const;
};

// Gives an output entity its handle and its association with the manifold:
// `handleText` when given (the entity replaces the old one of that handle),
// else a new handle from the host (word 164, a buffer of 50 units). The
// handle goes into the properties and onto the context's new-handle list, and
// (1001 "VE2R_ASSOC")(1005 "")(1000 "VE2R_HEATPIPES")(1070 1) with (1070 272)
// (1005 h) for every manifold handle is appended to the properties' extra
// groups. False, with the properties unchanged, when no handle can be had
// (no word 164 or an empty answer) or the heap runs out.
bool markOutputEntity(CFHOutputContext& context, ltEntProps& props, const char16_t* handleText);

// Gives the manifold's properties the first manifold handle and appends its
// association group listing every new handle in order, then every kept
// handle. False, unchanged, without a manifold handle or when the heap runs
// out.
bool markManifoldAssociation(CFHOutputContext& context, ltEntProps& props);

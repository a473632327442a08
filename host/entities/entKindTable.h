// The dispatch table from a group-code list to its entity kind: one row per
// kind in the order the readers try them. entReader2D::entity tries the first
// entityKindRows rows; entReader2D::anyEntity then the insert row and last the
// catch-all. A row without a factory (a kind not built into the module) is
// passed over.
#pragma once

#include <memory>
#include <span>

#include "host/entities/ltEntKind.h"

class ltEnt2D;

using ltEntFactory = std::unique_ptr<ltEnt2D> (*)();

struct entKindRow {
  ltEntKind kind;
  ltEntFactory make;  // null: the kind is not available
};

// Rows 0..14 are tried by entity, all 17 by anyEntity.
inline constexpr std::size_t entityKindRows = 15;

std::span<const entKindRow> entKindTable();

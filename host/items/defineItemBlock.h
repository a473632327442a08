// Making the block of an item from its block-definition list: the entities
// one after another, each beginning with its group 0. The connection markers
// among them (LINEs on "DEFPOINTS" in a plain colour, entReader2D::
// classifyAuxEntity) give the item's connection points: the 10 point is the
// point, the 11 point lies along its direction. Other entities on
// "DEFPOINTS" are construction entities. Host thread only.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/curveList.h"
#include "platform/cadhost/HostTables.h"
#include "platform/ge/XtGePoint2dArray.h"

// The longest block name word 111 takes (its buffer holds 128 units).
inline constexpr std::size_t kMaxBlockName = 127;

// Gathers the markers of `list` and, unless `pointsOnly`, makes the block
// `*name` through word 111 of `host` (a fresh table when null; the word is
// looked up before each call):
//   - each marker's 10 point is appended to `points` and its 11 point less
//     its 10 point to `directions` (each when given); the base point is the
//     10 point of marker number `index` (from 0), that of the last marker
//     when there are fewer, and (0, 0, 0) for a negative index or no marker;
//     `base`, when given, receives it
//   - the entities kept (every one but, with `dropConstruction`, the markers
//     and the construction entities) go into the block in list order, and,
//     when `curves` is given, each one that is a curve is appended to it as
//     a new curve the caller owns
//   - the block: begin (0, name, anonymous when it begins with '*', base),
//     each kept entity (1, its list), end (2, name); the host may write
//     another name into the buffer for an anonymous block, which `*name`
//     then receives
// Answers 5100 when done; -5004 without `list`, or without a name of 1 to
// 127 units unless `pointsOnly`; -1 when the table or its word 111 is
// missing; the host's answer to a begin or end it refused; and when the host
// refused an entity, that answer (the later entities are not passed and the
// block is still ended). `list` is not changed; what was appended to the
// outputs before a failure stays there.
std::int32_t defineItemBlock(const resbuf* list, std::u16string* name, int index, const HostExport2D* host,
                             XtGePoint2dArray* points, XtGeVector2dArray* directions, bool dropConstruction,
                             bool pointsOnly, curvePtrArray* curves, XtGePoint2d* base = nullptr);

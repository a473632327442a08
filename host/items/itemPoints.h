// The connection points of an item and the text they travel in (the "_PTS"
// value of "QEV_DATA", or the database's point text of an item): lines ended
// by a line feed (a carriage return before it ignored):
//
//   the number of points
//   per point four lines: the name pattern (at most 243 units; a
//   longer one is cut there), two 16-bit integers, a flag line of which the
//   first character is kept
//
// The name pattern is split at '/': a part beginning with '#' names the
// group of the parts after it (the '#' dropped), every other part is a name
// recorded with its current group.
//
// Positions and directions come from the "QEV_INSPT" pairs (ItemInsPoints.h)
// in point order: they are in the item's block frame relative to its
// insertion point, so the connection point the item is inserted at lies at
// (0, 0). Host thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"
#include "platform/qevdb/Database.h"

struct itemConnectionPoint {
  XtGePoint2d position;
  XtGeVector2d direction{1.0, 0.0};
  std::u16string names;  // the name pattern as read
  std::int16_t first = 0;
  std::int16_t second = 0;
  char16_t flag = 0;     // the first character of the flag line; 0 when empty
  std::vector<std::pair<std::u16string, std::u16string>> groupNames;  // (group, name)
};

// The longest name pattern kept.
inline constexpr std::size_t kMaxItemPointNames = 243;
// The most times readDbItemPoints repeats an item's points.
inline constexpr int kMaxPointRepeat = 1024;

// Appends the points of a point text, stopping at the stated number, at the
// end of the text or at a point cut short or holding an integer that is not
// 16-bit (that point is dropped). False, with nothing appended, when the
// first line is not a number of zero or more.
bool parseItemPointText(std::u16string_view text, std::vector<itemConnectionPoint>& points);

// Reads `text` (when null, the "_PTS" value of the list's "QEV_DATA"; none:
// false) into `points`, then, with a list, gives the points read their
// positions and directions from its "QEV_INSPT" pairs in order. False when
// there is no text or it does not read.
bool readItemPoints(std::vector<itemConnectionPoint>& points, const resbuf* list, const char16_t* text);

// The database's point text of the item with that numeric identifier, read
// `repeat` + 1 times (repeat taken in 0..kMaxPointRepeat). False when the
// database has no such item or its text does not read.
bool readDbItemPoints(std::vector<itemConnectionPoint>& points, const qevDatabase::Database& database,
                      std::int32_t numericId, int repeat);

// Gives the points their positions and directions from the list's
// "QEV_INSPT" pairs, in order. A pair beyond the points becomes a point of
// its own (no names), so that no placement the reference carries is lost.
// False when the list has no "QEV_INSPT" block.
bool placeItemPoints(std::vector<itemConnectionPoint>& points, const resbuf* list);

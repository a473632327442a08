// The steps every entity list reader shares: the list's type, the first node
// of a group, points made 2D. Lists hold UTF-16 texts. Host thread only.
#pragma once

#include <initializer_list>
#include <string_view>

#include "platform/cadhost/resbuf.h"
#include "platform/ge/XtGePoint2d.h"
#include "platform/ge/XtGeVector2d.h"

namespace entReader2D {

// The first node with the code; null when there is none.
const resbuf* firstGroup(const resbuf* list, int code);

// The type: the text of the first group 0; null without one or when its text
// is null.
const char16_t* listType(const resbuf* list);

// True when the list's type equals one of the names, ignoring the letter case
// of A to Z. A null list or a list without a type is of no type.
bool isListOfType(const resbuf* list, std::initializer_list<std::u16string_view> names);

// The x and y of a point node (z is dropped).
inline XtGePoint2d point2dOf(const resbuf* node) { return {node->value.point[0], node->value.point[1]}; }
inline XtGeVector2d vector2dOf(const resbuf* node) { return {node->value.point[0], node->value.point[1]}; }

}  // namespace entReader2D

// Item data on entities: product-line items (devices, fittings and other
// catalogue objects inserted as blocks) carry their identity and values in
// the extended data of their block reference under "QEV_DATA":
//
//   (1001 "QEV_DATA")
//   (1000 header)   "E@" cols "x" rows (decimal), or in the old form the item
//                   identifier itself (any text not beginning "E@")
//   (1000 value) x cols*rows   the table, row by row
//   (1000 key)(1000 value)...  the item's values; "_QEVITEM_ID" holds the
//                              identifier in the new form
//
// The block ends at the next 1001 group or at the end of the list. Keys
// compare without regard to case (the letters of code page 1250 included);
// so do application names.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/cadhost/resbuf.h"
#include "platform/win/CString.h"
#include "platform/win/WinTypes.h"

// Keys with a fixed meaning.
namespace itemKey {
inline constexpr const WCHAR* id = u"_QEVITEM_ID";
inline constexpr const WCHAR* type = u"_TYPE";
inline constexpr const WCHAR* points = u"_PTS";
inline constexpr const WCHAR* date = u"_QDATE";
inline constexpr const WCHAR* product = u"_QPROD";
inline constexpr const WCHAR* productType = u"_QTYPE";
inline constexpr const WCHAR* catalogue = u"_QCATALOGUE";
inline constexpr const WCHAR* appendix = u"_QAPPENDIX";
inline constexpr const WCHAR* slope = u"_SLOPE";
inline constexpr const WCHAR* branch = u"_BRANCH";
inline constexpr const WCHAR* group = u"_GROUP";
inline constexpr const WCHAR* isolationAreas = u"_NUM_ISOL_AREA";
}  // namespace itemKey

// The header of a newly made block (no table).
inline constexpr const WCHAR* emptyItemHeader = u"E@0x0";

// Whether the text is a new-form header ("E@..."). `cells` receives
// cols * rows when the size reads as two decimal numbers ("E@08x2" is 16;
// characters after the second number are ignored), else 0.
bool readItemHeader(std::u16string_view header, std::size_t& cells);

// True when the two keys are equal without regard to case.
bool itemKeysEqual(const char16_t* a, const char16_t* b);

// Finds the "QEV_DATA" block and answers the node after which its key/value
// pairs begin: the last table node, or the header when there is no table.
// `id` (optional) receives the header text, or, after any "E@" header, the
// value of "_QEVITEM_ID" when the pairs hold it. Null when there is no
// block, when it has no 1000 header, or when the table promises more
// values than the block holds.
resbuf* findItemXdata(resbuf* list, CString* id = nullptr);
const resbuf* findItemXdata(const resbuf* list, CString* id = nullptr);

// Walks (1000 key)(1000 value) pairs from `firstPairNode` (the node after
// the one findItemXdata answers) and answers the value of `key` (a null key
// or key text counts as empty), or null when the pairs end without it.
const char16_t* xdataValueByKey(LPCWSTR key, const resbuf* firstPairNode);

// Sets the item value `name` in the list's "QEV_DATA" block:
//   1  an existing pair was changed (value given) or removed (null value)
//   2  the pair was appended after the last pair (value given), or there was
//      nothing to remove (null value)
//   0  no readable block (or no memory); nothing changed
int setItemXdataValue(LPCWSTR name, LPCWSTR value, resbuf* list);

// Replaces the header and table of the list's "QEV_DATA" block by `header`,
// a chain that may begin with its own (1001 "QEV_DATA") node and then must
// begin with a 1000 group whose text begins "E@"; the chain is linked in
// whole (table and pairs after the header included). A missing block is
// appended first (after a -3 marker when the list has no extended data); an
// old-form identifier is kept as the "_QEVITEM_ID" value. The function owns
// `header`: false (header freed, list unchanged) when it is not such a
// chain, when `list` is null, or when the old table is longer than its
// block.
bool setItemHeader(resbuf** list, resbuf* header);

// True when the entity is an "INSERT" (group 0, any case) with item data
// whose identifier begins with `letter` (any case; 0 accepts every
// identifier) and whose "_TYPE" passes `typeMask`: without "_TYPE" only a
// zero mask passes; with it a zero mask passes, `exact` asks type == mask,
// and otherwise every bit of the mask must be set. `id` and `type` are set
// (when given) for a passing item.
bool isItemInsert(const resbuf* list, WCHAR letter, int typeMask, CString* id, int* type, bool exact);
// The same, always asking the exact type.
bool isItemInsert(const resbuf* list, WCHAR letter, int typeMask, CString* id = nullptr, int* type = nullptr);

// The shared library's small text routines: the name order of the gbXML
// export, natural and ordinal comparison, small number parsers and
// formatters, line buffers, string lists, category lists and a few tests of
// names. Texts are UTF-16; a null text counts as empty unless said
// otherwise. Numbers are read and written in the "C" locale.
//
// Nothing here keeps state: every routine may run on any thread on texts the
// caller owns.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/CString.h"
#include "platform/win/FrameworkArrays.h"

// ---- Comparison

// The order of names of the gbXML export: empty (or null) names first, then
// "pp" names (holding "pp" in any letter case) in descending natural order,
// then unmarked names by _wcsicmp, then "np" names (holding "np" but no
// "pp") in ascending natural order. -1, 0 or 1; a strict weak order, so it
// may drive std::sort (two empty names are equal).
int compareNamesPpNp(const char16_t* a, const char16_t* b);

// Natural order: non-digit runs compare by code unit (case-sensitive), digit
// runs by their value at any length ("x007" equals "x7"), a digit sorts
// before a non-digit, and a text that ends first sorts first. -1, 0 or 1.
int naturalCompare(const char16_t* a, const char16_t* b);

// Code-unit comparison, -1, 0 or 1; -1 when either text is null.
int compareOrdinal(const char16_t* a, const char16_t* b);

// ---- Numbers

// Two hexadecimal digits (either case) as 16 x first + second. A first that
// is no digit gives the second's value alone (0 when neither is a digit); a
// second that is no digit gives 16 x first.
int parseHexByte(char first, char second);

// The number of a text that may use a comma as its decimal mark: when the
// text has no '.', its last comma is read as the point; the reading stops at
// the first character that cannot continue the number. 0 for a null text.
double parseNumberWithComma(const char16_t* text);

// "x,y,z" with y and z optional: x is the number at the start; y is read when
// a comma follows x directly, z when a comma follows y. Missing values and a
// null text give 0.
void parseVector3d(const char16_t* text, double& x, double& y, double& z);

// "%.16g,%.16g,%.16g" of a point (three doubles; null gives the empty text)
// into `buffer` of `size` units, cut to size - 1 units and terminated. A
// null buffer or a size of 0 writes nothing. Answers the units written.
std::size_t formatPoint3d(const double* point, char16_t* buffer, std::size_t size);

// "%.0f x %.0f" of a width and a height, cut as formatPoint3d.
std::size_t formatSizeText(double width, double height, char16_t* buffer, std::size_t size);

// An integer, blanks, 'x' or 'X', blanks, an integer. False, outputs
// untouched, when a number is missing or the letter is another.
bool parseSizeText(const char16_t* text, double& width, double& height);

// ---- Texts

// The 8th character of a text of at least 8 becomes '-' when it is 'i'.
// True when changed.
bool fixDashAt7(char16_t* text);

// Upper-case (A-Z) with every blank turned into '_'.
void toUpperUnderscore(CString& text);

// Appends to `pieces` (not emptied first) the pieces of `text` between
// occurrences of `separator`, in order, the last included: "a;;b" gives
// "a", "", "b"; a text without the separator gives itself.
void splitAtChar(const char16_t* text, CStringArray& pieces, char16_t separator);

// Copies at most `n` characters of `source` into `target` (which holds
// n + 1 units), each backslash as a line feed, and terminates it.
void copyBackslashToNewline(const char16_t* source, char16_t* target, std::size_t n);

// Appends the text (when given) and a line feed to the terminated text in
// `buffer` of `size` units when length + text length + 1 < size; else false,
// buffer unchanged.
bool appendLineIfFits(char16_t* buffer, std::size_t size, const char16_t* text);

// Reads the next line of `buffer` (`length` units) from `cursor`: the units
// up to the next line feed, which is overwritten by a terminator, and the
// cursor moves behind it, or to null when the buffer ends. Nothing when the
// cursor is null or outside the buffer, or stands on a last unit that is a
// line feed: "ab\nc" gives "ab", "c", nothing.
std::optional<std::u16string> nextLine(char16_t* buffer, std::size_t length, char16_t*& cursor);

// Line feeds among the first n units, stopping at a terminator.
int countLineBreaks(const char16_t* text, int n);

// The joined text of the array, without separators.
CString joinStrings(const CStringArray& strings);

// ---- String lists: n + 1 null pointers; the strings are the caller's heap
// copies (heapTextCopy) and belong to the list.

// A zeroed list of n + 1 entries; null for n < 0 or when memory is out.
char16_t** newStringList(int n);
// Frees every string up to the first null entry, then the list. A null list
// does nothing.
void freeStringList(char16_t** list);
// A heap copy (std::free) of a text; null for a null text or when memory is
// out.
char16_t* heapTextCopy(const char16_t* text);

// ---- Category lists ("#Pipes/PE-X 16/#Valves/V1")

struct categoryEntry {
  std::optional<std::u16string> category;  // a piece that began with '#', without it
  std::optional<std::u16string> item;      // any other piece
};

struct categoryList {
  std::u16string text;  // the kept copy, as given
  std::vector<categoryEntry> entries;
};

// Empties the list and fills it from the text split at '/': one entry per
// piece, in order. A null text leaves it empty.
void parseCategoryList(categoryList& list, const char16_t* text);

// ---- Names

// 1 for a text beginning with "A", 2 "B", 3 "D", 4 "IZ" (any case), else 0.
int sizeLetterCode(const char16_t* text);

// True for a name beginning with "VE2R_ASSOC".
bool isAssociationName(const char16_t* text);

// True when the text is longer than 2 units and a digit stands between two
// '$' ("x$3$").
bool hasDollarDigitDollar(const char16_t* text);

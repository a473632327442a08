// Filters over curve lists and over boundary entries built from them:
// duplicate curves, boundaries nested in others, and the smaller of two
// boundaries that share a curve. The library offers them to its users; the
// heating module does not call them.
//
// A boundary entry is a list of piece references (joinToComposite.h) into a
// context curve list; its boundary is the composite joinToComposite makes of
// the referenced pieces. Entries marked for removal during a pair walk take
// no further part in it and are removed after it.
//
// Tolerances: curves compare with workTol; point positions use workTol
// (classifyPointInCurve); lengths use XtGeContext::gTol. The filters edit
// and delete in the caller's list only; nothing keeps state. Nothing throws.
#pragma once

#include "geometry/curveList.h"
#include "geometry/joinToComposite.h"

#include <vector>

// A boundary entry: references to pieces of a context curve list.
using curveEntry = hvArray<pieceRef>;

// Deletes and removes every curve that equals an earlier curve of the same
// kind (workTol): segments with the same ends either way round; circular
// arcs with the same centre and the same ends (exchanged when they run in
// opposite senses); elliptical arcs also with the same axis vectors (the
// minor one opposite for opposite senses). Other kinds are never
// duplicates. Answers the number of curves left.
int removeDuplicateCurves(curvePtrArray& curves);

// Removes the entries whose boundary cannot be made, and of two entries
// where one lies inside the other and the other outside it, the inner one.
// Where an entry lies is decided by the first of 50 equal steps along its
// boundary that is inside or outside the other boundary; identical and
// disjoint entries stay. Answers the number of entries left.
int removeNestedEntries(const curvePtrArray& context, std::vector<curveEntry>& entries);

// Removes the entries whose boundary cannot be made or whose measured area
// is at most 1.1920928955078125e-7 (an area that cannot be measured counts
// as 0 below), then of every two entries that share a curve of the context (every
// two with compareAll) the one of clearly smaller area; of two equal areas
// (within 1e-12 of the first entry's area) the later entry goes when the
// earlier is strictly longer, else the earlier. Answers the number of
// entries left.
int removeSmallerSharedEntries(const curvePtrArray& context, std::vector<curveEntry>& entries, bool compareAll);

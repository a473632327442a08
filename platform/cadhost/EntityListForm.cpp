#include "platform/cadhost/EntityListForm.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace cadhost {

EntityListForm::ChunkRegion EntityListForm::chunkRegion(const GroupList& list) {
  if (list.empty()) return {};
  const std::u16string& type = list.front().asText();
  const std::size_t xdata = xdataStart(list);
  if (type == u"MTEXT") {
    std::size_t end = 1;
    while (end < xdata && list[end].code() != 101) ++end;
    return {1, end};
  }
  if (type == u"ATTRIB" || type == u"ATTDEF") {
    for (std::size_t i = 1; i < xdata; ++i)
      if (list[i].code() == 101) return {i + 1, xdata};
  }
  return {};
}

std::u16string EntityListForm::chunkText(const GroupList& list, ChunkRegion region, std::size_t& first,
                                         std::size_t& count) {
  std::u16string text;
  first = region.end;
  count = 0;
  for (std::size_t i = region.begin; i < region.end && i < list.size(); ++i) {
    if (!isChunk(list[i])) continue;
    if (count++ == 0) first = i;
    text += list[i].asText();
  }
  return text;
}

std::vector<std::u16string> EntityListForm::splitChunks(const std::u16string& text) {
  std::vector<std::u16string> pieces;
  std::size_t start = 0;
  do {
    std::size_t end = std::min(text.size(), start + kChunkLength);
    if (end < text.size() && end > start + 1 && text[end - 1] >= 0xD800 && text[end - 1] < 0xDC00) --end;
    pieces.push_back(text.substr(start, end - start));
    start = end;
  } while (start < text.size());
  return pieces;
}

void EntityListForm::chunksToListForm(GroupList& list, const std::function<void(std::u16string&)>& fix) {
  const ChunkRegion region = chunkRegion(list);
  std::size_t first = 0;
  std::size_t count = 0;
  std::u16string text = chunkText(list, region, first, count);
  if (count == 0) return;
  if (fix) fix(text);
  std::vector<std::u16string> pieces = splitChunks(text);
  // Already in list form: contiguous, 1 first, split as splitChunks splits.
  bool inForm = pieces.size() == count;
  for (std::size_t k = 0; k < count && inForm; ++k) {
    const Group& g = list[first + k];
    inForm = isChunk(g) && g.code() == (k == 0 ? 1 : 3) && g.asText() == pieces[k];
  }
  if (inForm) return;
  GroupList out;
  out.reserve(list.size() + pieces.size());
  out.insert(out.end(), list.begin(), list.begin() + static_cast<std::ptrdiff_t>(first));
  for (std::size_t k = 0; k < pieces.size(); ++k) out.push_back(Group::text(k == 0 ? 1 : 3, std::move(pieces[k])));
  for (std::size_t i = first; i < list.size(); ++i)
    if (i >= region.end || !isChunk(list[i])) out.push_back(list[i]);
  list = std::move(out);
}

namespace {

// Codes every entity holds once in its common (AcDbEntity) part.
constexpr std::array<int, 15> kCommonOnce = {6, 8, 39, 48, 60, 62, 66, 67, 210, 284, 370, 410, 420, 430, 440};

struct KindOnce {
  std::u16string_view type;
  std::array<int, 14> codes;  // 0 ends the list
};

constexpr KindOnce kKindOnce[] = {
    {u"INSERT", {2, 10, 41, 42, 43, 44, 45, 50, 66, 70, 71, 210, 39}},
    {u"LINE", {10, 11, 39, 210}},
    {u"CIRCLE", {10, 39, 40, 210}},
    {u"ARC", {10, 39, 40, 50, 51, 210}},
    {u"ELLIPSE", {10, 11, 40, 41, 42, 210}},
    {u"LWPOLYLINE", {38, 39, 43, 70, 90, 210}},
    {u"TEXT", {1, 7, 10, 11, 39, 40, 41, 50, 51, 71, 72, 73, 210}},
    {u"ATTDEF", {1, 2, 3, 7, 10, 11, 40, 41, 50, 51, 70, 72, 73, 74}},
    {u"ATTRIB", {1, 2, 7, 10, 11, 40, 41, 50, 51, 70, 72, 73, 74, 280}},
    {u"MTEXT", {7, 10, 11, 40, 41, 44, 46, 50, 71, 72, 73, 90, 63, 45}},
};

bool contains(const int* begin, const int* end, int code) { return std::find(begin, end, code) != end; }

}  // namespace

void EntityListForm::dropRepeatedGroups(GroupList& list) {
  if (list.empty()) return;
  const std::u16string& type = list.front().asText();
  const KindOnce* kind = nullptr;
  for (const KindOnce& k : kKindOnce)
    if (k.type == type) kind = &k;
  // Only the main part: the embedded object (101) and extended data repeat
  // codes on purpose.
  std::size_t end = xdataStart(list);
  for (std::size_t i = 1; i < end; ++i)
    if (list[i].code() == 101) end = i;

  GroupList out;
  out.reserve(list.size());
  std::vector<int> seen;
  bool commonPart = true;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Group& g = list[i];
    if (i >= end || i == 0) {
      out.push_back(g);
      continue;
    }
    if (g.code() == 100) {
      seen.clear();
      commonPart = g.asText() == u"AcDbEntity";
      out.push_back(g);
      continue;
    }
    bool once = commonPart ? contains(kCommonOnce.data(), kCommonOnce.data() + kCommonOnce.size(), g.code())
                           : kind && g.code() != 0 &&
                                 contains(kind->codes.data(),
                                          std::find(kind->codes.begin(), kind->codes.end(), 0), g.code());
    if (once) {
      if (std::find(seen.begin(), seen.end(), g.code()) != seen.end()) continue;
      seen.push_back(g.code());
    }
    out.push_back(g);
  }
  if (out.size() != list.size()) list = std::move(out);
}

void EntityListForm::setPointDims(GroupList& list, const GroupList* previous) {
  if (list.empty()) return;
  const std::u16string& type = list.front().asText();
  // The n-th point of each code in the previous list.
  std::unordered_map<int, std::vector<int>> before;
  if (previous)
    for (const Group& g : *previous)
      if (g.isPoint()) before[g.code()].push_back(g.dims());
  std::unordered_map<int, std::size_t> seen;
  bool hatchElevationSeen = false;
  for (Group& g : list) {
    if (!g.isPoint()) continue;
    const int code = g.code();
    std::size_t n = seen[code]++;
    auto it = before.find(code);
    if (it != before.end() && n < it->second.size()) {
      g.setDims(it->second[n]);
      continue;
    }
    int dims = 3;
    if (type == u"LWPOLYLINE" && code == 10) {
      dims = 2;
    } else if (type == u"HATCH" && code >= 10 && code <= 13) {
      // The first 10 is the elevation point; path and seed points are 2D.
      if (code == 10 && !hatchElevationSeen) hatchElevationSeen = true;
      else dims = 2;
    } else if ((type == u"IMAGE" || type == u"WIPEOUT") && (code == 13 || code == 14)) {
      dims = 2;
    }
    g.setDims(dims);
  }
}

bool EntityListForm::isEntityType(std::u16string_view type) {
  static constexpr std::u16string_view kTypes[] = {
      u"3DFACE", u"3DSOLID", u"ACAD_PROXY_ENTITY", u"ACAD_TABLE", u"ARC", u"ARC_DIMENSION", u"ATTDEF",
      u"ATTRIB", u"BODY", u"CIRCLE", u"DIMENSION", u"ELLIPSE", u"EXTRUDEDSURFACE", u"HATCH", u"HELIX",
      u"IMAGE", u"INSERT", u"LARGE_RADIAL_DIMENSION", u"LEADER", u"LIGHT", u"LINE", u"LOFTEDSURFACE",
      u"LWPOLYLINE", u"MESH", u"MLINE", u"MPOLYGON", u"MTEXT", u"MULTILEADER", u"NURBSURFACE", u"OLE2FRAME",
      u"OLEFRAME", u"PDFUNDERLAY", u"DGNUNDERLAY", u"DWFUNDERLAY", u"PLANESURFACE", u"POINT", u"POLYLINE",
      u"RAY", u"REGION", u"REVOLVEDSURFACE", u"SEQEND", u"SHAPE", u"SOLID", u"SPLINE", u"SURFACE",
      u"SWEPTSURFACE", u"TEXT", u"TOLERANCE", u"TRACE", u"VERTEX", u"VIEWPORT", u"WIPEOUT", u"XLINE"};
  return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

}  // namespace cadhost

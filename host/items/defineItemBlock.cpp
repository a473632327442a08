#include "host/items/defineItemBlock.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/auxEntityClass.h"
#include "host/entities/curveListDispatch.h"
#include "host/entities/ownedChain.h"
#include "platform/cadhost/HostStatus.h"

namespace {

// The classes of entReader2D::classifyAuxEntity.
constexpr int kConstruction = 1;
constexpr int kMarker = 2;

// A private copy of the list cut into its entities: each from a group-0 node
// up to the next one; the first keeps any nodes in front of its group 0. A
// list without a group 0 has none.
std::vector<ownedChain> cutIntoEntities(const resbuf* list) {
  std::vector<ownedChain> entities;
  ownedChain copy(copyResbufChain(list, false));
  const resbuf* zero = copy.get();
  while (zero && zero->code != 0) zero = zero->next;
  if (zero == nullptr) return entities;
  resbuf* start = copy.release();
  bool zeroSeen = false;
  for (resbuf* node = start; node;) {
    zeroSeen = zeroSeen || node->code == 0;
    resbuf* next = node->next;
    if (zeroSeen && next && next->code == 0) {
      node->next = nullptr;
      entities.emplace_back(start);
      start = next;
    }
    node = next;
  }
  entities.emplace_back(start);
  return entities;
}

// One call of word 111, looked up afresh; -1 when the table or word is missing.
std::int32_t blockCall(const HostExport2D* host, int mode, char16_t* name, const resbuf* entity,
                       int anonymous = 0, const std::array<double, 3>& base = {}) {
  return callHostWordOf<111>(host, mode, name, entity, anonymous, base[0], base[1], base[2]).value_or(-1);
}

}  // namespace

std::int32_t defineItemBlock(const resbuf* list, std::u16string* name, int index, const HostExport2D* host,
                             XtGePoint2dArray* points, XtGeVector2dArray* directions, bool dropConstruction,
                             bool pointsOnly, curvePtrArray* curves, XtGePoint2d* base) {
  if (list == nullptr) return hostStatus::failure;
  if (!pointsOnly && (name == nullptr || name->empty() || name->size() > kMaxBlockName)) return hostStatus::failure;
  if (host == nullptr) host = getExport2D();

  std::vector<ownedChain> entities = cutIntoEntities(list);
  std::vector<const resbuf*> kept;
  std::array<double, 3> basePoint{};
  int countdown = index;
  for (const ownedChain& entity : entities) {
    std::array<double, 3> p10{}, p11{};
    const int kind = entReader2D::classifyAuxEntity(entity.get(), &p10, &p11);
    if (kind == kMarker) {
      if (points) points->append(XtGePoint2d(p10[0], p10[1]));
      if (directions) directions->append(XtGeVector2d(p11[0] - p10[0], p11[1] - p10[1]));
      if (countdown >= 0) {
        basePoint = p10;
        --countdown;
      }
    }
    if ((kind == kMarker || kind == kConstruction) && dropConstruction) continue;
    kept.push_back(entity.get());
  }
  if (base) *base = XtGePoint2d(basePoint[0], basePoint[1]);
  if (curves) {
    for (const resbuf* entity : kept) {
      std::unique_ptr<XtGeCurve2d> curve;
      if (entReader2D::curve(curve, entity, nullptr)) appendOwnedCurve(*curves, std::move(curve));
    }
  }
  if (pointsOnly) return hostStatus::normal;

  std::array<char16_t, kMaxBlockName + 1> buffer{};
  std::copy(name->begin(), name->end(), buffer.begin());
  const int anonymous = name->front() == u'*' ? 1 : 0;
  std::int32_t answer = blockCall(host, 0, buffer.data(), nullptr, anonymous, basePoint);
  if (answer != hostStatus::normal) return answer;
  std::int32_t refused = hostStatus::normal;
  for (const resbuf* entity : kept) {
    refused = blockCall(host, 1, buffer.data(), entity);
    if (refused != hostStatus::normal) break;
  }
  answer = blockCall(host, 2, buffer.data(), nullptr);
  buffer.back() = u'\0';
  *name = buffer.data();
  if (answer != hostStatus::normal) return answer;
  return refused;
}

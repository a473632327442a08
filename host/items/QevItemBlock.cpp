// The item's block: its definition made from the block-definition list, the
// database attributes read again, the property dialog, and the block
// reference written from the record.
#include <cmath>
#include <numbers>

#include "geometry/makeUniqueBlockName.h"
#include "host/HostExport.h"
#include "host/ResbufChain.h"
#include "host/entities/insertList.h"
#include "host/entities/ltInsert2D.h"
#include "host/items/ItemInsPoints.h"
#include "host/items/ItemXdata.h"
#include "host/items/QevItem.h"
#include "host/items/defineItemBlock.h"
#include "host/items/itemKeyTable.h"
#include "host/items/itemXdataApps.h"
#include "host/items/productConnection.h"
#include "host/items/propertyDialog.h"
#include "platform/cadhost/HostStatus.h"

namespace {

// The keys every item carries once its database attributes were read.
constexpr const char16_t* kItemKeys[] = {itemKey::date, itemKey::product, itemKey::slope,
                                         itemKey::branch, itemKey::catalogue, itemKey::isolationAreas};

double angleOf(const XtGeVector2d& v) { return std::atan2(v.y, v.x); }

// An angle taken into [0, 2 pi).
double normalized(double angle) {
  constexpr double full = 2.0 * std::numbers::pi;
  angle = std::fmod(angle, full);
  if (angle < 0.0) angle += full;
  return angle >= full ? 0.0 : angle;
}

// The entity lists of a drawn block, one after another (null when it has no
// entity); false when the drawing has no such block.
bool drawnBlockDefinition(const std::u16string& name, const HostExport2D* host, resbuf*& definition) {
  ltInsert2D reference;
  reference.blockName = name;
  ltEntArray entities;
  if (name.empty() || !reference.getBlockEntities(entities, host, nullptr)) return false;
  definition = nullptr;
  for (const std::unique_ptr<ltEnt2D>& entity : entities)
    if (const resbuf* list = entity->getList()) appendResbufChain(&definition, copyResbufChain(list, false));
  return true;
}

// A copy of the dialog's list `which` (the dialog's own freed); none when it
// gives none.
itemListHolder dialogList(const propertyDialogBinding& binding, int which) {
  resbuf* list = binding.getList(which);
  itemListHolder held = itemListHolder::owning(list ? copyResbufChain(list, false) : nullptr);
  if (list) binding.freeList(list);
  return held;
}

void addItemKeys(QevItem& item) {
  for (const char16_t* key : kItemKeys)
    if (itemArray::indexOf(item, key) < 0) itemArray::setText(item, key, u"");
}

}  // namespace

int QevItem::prepareBlock(const HostExport2D* host, bool keepName, curvePtrArray* curves) {
  if (!keepName && !blockName.empty()) return itemStatus::blockNamed;
  std::u16string name = keepName ? std::u16string() : makeUniqueBlockName(0);
  XtGePoint2dArray found;
  XtGeVector2dArray along;
  XtGePoint2d base;
  if (defineItemBlock(blockDefinition.list(), keepName ? nullptr : &name, currentPoint, host, &found, &along, true,
                      keepName, curves, &base) != hostStatus::normal)
    return itemStatus::unreadable;
  const std::size_t count = static_cast<std::size_t>(std::min(found.length(), along.length()));
  if (!keepName) {
    resbuf* placement = writeInsPointXdata({found.asArrayPtr(), count}, {along.asArrayPtr(), count}, insPointValue, base);
    if (placement == nullptr) return itemStatus::unreadable;
    // The new placement replaces the old one: one block per application.
    lastResbufNode(placement)->next = copyWithoutAppsOf(insertData.list(), placement);
    insertData = itemListHolder::owning(placement);
    blockName = name;
  }
  for (std::size_t i = 0; i < std::min(points.size(), count); ++i) {
    const XtGeVector2d offset = found[static_cast<int>(i)] - base;
    points[i].position = XtGePoint2d(offset.x, offset.y);
    points[i].direction = along[static_cast<int>(i)];
  }
  return itemStatus::ok;
}

int QevItem::insertBlock(const HostExport2D* host, bool keepMirror, resbuf** list) const {
  if (!insertData || blockName.empty()) return itemStatus::noInsertData;
  XtGeVector2d direction(1.0, 0.0);
  if (currentPoint >= 0 && static_cast<std::size_t>(currentPoint) < points.size())
    direction = points[static_cast<std::size_t>(currentPoint)].direction;
  // A reference read from the drawing goes back as it was read.
  if (mirrored && !keepMirror && !fromEntity) direction = -direction;
  ltEntProps props;
  toEntProps(props);
  props.setTail(copyOwnedChain(insertData.list()));
  const XtGeScale3d scales(mirrored ? -scale : scale, scale, scale);
  resbuf* made = entBuilder2D::insert(props, origin, blockName, scales, normalized(angleOf(xAxis) - angleOf(direction)),
                                      nullptr, nullptr, nullptr, attributesFollow, &zAxis);
  if (made == nullptr) return itemStatus::noInsertData;
  if (list != nullptr) {
    *list = made;
    return itemStatus::ok;
  }
  const int status = callHostWordOf<114>(host ? host : getExport2D(), made, 0, 0).value_or(hostStatus::error);
  freeResbufChain(made, false);
  return status == hostStatus::normal ? itemStatus::ok : status;
}

int QevItem::readDbAttributes(const HostExport2D* host, curvePtrArray* curves) {
  if (!hasId()) return itemStatus::unreadable;
  if (host == nullptr) host = getExport2D();
  propertyDialogBinding binding;
  const bool bound = bindPropertyDialog(binding);
  std::vector<itemAttribute> read;
  if (readDbItem(host, 0, id, read, nullptr, nullptr, nullptr, &layer, &numericId) != 1) return itemStatus::unreadable;
  // The database's parameters: new ones are added, known ones keep the
  // values the item carries and take the database's status.
  for (itemAttribute& attribute : read) {
    const std::int32_t known = itemArray::indexOf(*this, attribute.key);
    if (known < 0) attributes.push_back(std::move(attribute));
    else attributes[static_cast<std::size_t>(known)].status = attribute.status;
  }
  findDimensionIndexes(attributes, lengthIndex, heightIndex);
  addItemKeys(*this);

  itemListHolder definition = bound ? dialogList(binding, 0) : itemListHolder();
  if (!definition) {
    resbuf* drawn = nullptr;
    if (!drawnBlockDefinition(blockName, host, drawn)) return itemStatus::unreadable;
    definition = itemListHolder::owning(drawn);
  }
  blockDefinition = definition;
  writeXdata(host);
  if (!blockDefinition) return itemStatus::ok;  // an empty block: no markers to read
  return prepareBlock(host, true, curves);
}

int QevItem::editProperties(const HostExport2D* host) {
  if (host == nullptr) host = getExport2D();
  propertyDialogBinding binding;
  if (!hasId() || !bindPropertyDialog(binding)) return IDCANCEL;
  QevItem before = *this;
  blockDefinition.reset();
  insertData.reset();
  std::u16string names, values, statuses;
  attributeTexts(names, values, statuses);
  const std::vector<std::uint8_t> flags = propertyFlags(host);
  qevDatabase::Database* database = productDatabaseOf(host, id);
  if (database) database->GoIndexID(id);
  const std::u16string* date = itemArray::itemAt(*this, itemKey::date);
  binding.setDate(date ? date->c_str() : u"");
  addItemKeys(*this);
  binding.setData(names.c_str(), values.c_str(), statuses.c_str());
  if (database && database->itemCallback()) database->itemCallback()(id);
  const int answer = binding.dialog(hostMainWindow(host).value_or(nullptr), id.c_str(), currentPoint + 1,
                                    insPointValue, flags.data(), static_cast<int>(flags.size()));
  if (answer != IDOK) {
    *this = std::move(before);
    return answer;
  }
  blockDefinition = dialogList(binding, 0);
  insertData = dialogList(binding, 1);
  writeXdata(host);
  // The edited item gets a block of its own.
  blockName.clear();
  prepareBlock(host, false, nullptr);
  return answer;
}

// Reading item records from the product database and from block references.
#include <algorithm>
#include <cmath>
#include <optional>

#include "host/ResbufChain.h"
#include "host/entities/commonProperties.h"
#include "host/items/ItemInsPoints.h"
#include "host/items/ItemXdata.h"
#include "host/items/QevItem.h"
#include "host/items/itemKeyTable.h"
#include "host/items/itemPropertyKeys.h"
#include "host/items/productConnection.h"
#include "platform/win/StringCompare.h"

namespace {

constexpr int kTextGroup = 1000;
constexpr int kAppGroup = 1001;

bool isTextPair(const resbuf* node) {
  return node && node->code == kTextGroup && node->next && node->next->code == kTextGroup;
}

std::u16string_view textOf(const resbuf* node) {
  return node->value.str ? std::u16string_view(node->value.str) : std::u16string_view();
}

// The entity's own group `code`, before its extended data.
const resbuf* entityGroup(const resbuf* list, int code) {
  for (const resbuf* node = list; node && node->code != -3 && node->code < kTextGroup; node = node->next)
    if (node->code == code) return node;
  return nullptr;
}

const resbuf* firstApp(const resbuf* list) {
  for (const resbuf* node = list; node; node = node->next)
    if (node->code == kAppGroup) return node;
  return nullptr;
}

std::optional<std::int32_t> parseType(std::u16string_view field) {
  std::int64_t value = 0;
  if (field.empty() || field.size() > 10) return std::nullopt;
  for (char16_t c : field) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return static_cast<std::int32_t>(value);
}

// One attribute per parameter record ("key|value|type|..."), records ended by
// a carriage return or a line feed.
std::vector<itemAttribute> parameterAttributes(const qevDatabase::Database& database, std::u16string_view text) {
  std::vector<itemAttribute> attributes;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(u'\r'), text.find(u'\n'));
    const std::u16string_view record = text.substr(0, end);
    text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 1);
    if (record.empty()) continue;
    std::u16string_view fields[3];
    std::u16string_view rest = record;
    for (int i = 0; i < 3; ++i) {
      const std::size_t bar = rest.find(u'|');
      fields[i] = rest.substr(0, bar);
      rest = bar == std::u16string_view::npos ? std::u16string_view() : rest.substr(bar + 1);
    }
    const std::optional<std::int32_t> type = parseType(fields[2]);
    attributes.push_back({std::u16string(fields[0]), std::u16string(fields[1]),
                          type ? database.parameterStatus(*type) : 0, 0});
  }
  return attributes;
}

// The index of the first attribute named `name` among those `qualifies`
// accepts, else the last such attribute; -1 when none qualifies.
template <class Qualifies>
std::int32_t namedOrLast(const std::vector<itemAttribute>& attributes, std::u16string_view name, Qualifies qualifies) {
  std::int32_t last = -1;
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    if (!qualifies(attributes[i].status)) continue;
    if (attributes[i].key == name) return static_cast<std::int32_t>(i);
    last = static_cast<std::int32_t>(i);
  }
  return last;
}

}  // namespace

void findDimensionIndexes(const std::vector<itemAttribute>& attributes, std::int32_t& lengthIndex,
                          std::int32_t& heightIndex) {
  lengthIndex = namedOrLast(attributes, u"L", [](std::int32_t s) { return s == 0 || s == 16; });
  heightIndex = namedOrLast(attributes, u"U", [](std::int32_t s) { return s == 0; });
}

int QevItem::readDbItem(const HostExport2D* host, int repeat, std::u16string_view id,
                        std::vector<itemAttribute>& attributes, std::vector<itemConnectionPoint>* points,
                        std::int32_t* lengthIndex, std::int32_t* heightIndex, std::u16string* layer,
                        std::int32_t* numericId) {
  qevDatabase::Database* database = productDatabaseOf(host, id);
  if (database == nullptr || !database->GoIndexID(id)) return 0;
  const std::optional<std::int32_t> number = database->currentNumericId();
  if (!number) return 0;
  std::vector<itemAttribute> read = parameterAttributes(*database, database->currentParameterText());
  std::vector<itemConnectionPoint> readPoints;
  if (!readDbItemPoints(readPoints, *database, *number, repeat)) return 0;

  std::int32_t length = -1, height = -1;
  findDimensionIndexes(read, length, height);
  if (lengthIndex) *lengthIndex = length;
  if (heightIndex) *heightIndex = height;
  if (layer) *layer = database->currentLayer().value_or(u"0");
  if (numericId) *numericId = *number;
  if (points) points->insert(points->end(), readPoints.begin(), readPoints.end());
  attributes.insert(attributes.end(), read.begin(), read.end());
  return 1;
}

bool QevItem::readFromEntity(const HostExport2D* host, const resbuf* list) {
  CString found;
  const resbuf* last = findItemXdata(list, &found);
  if (last == nullptr || found.IsEmpty()) return false;
  std::int16_t value = 0;
  if (!readInsPointXdata(list, &value, nullptr, nullptr, nullptr, nullptr)) return false;
  std::vector<itemAttribute> read;
  std::vector<itemConnectionPoint> readPoints;
  std::int32_t length = -1, height = -1, number = -1;
  std::u16string readLayer;
  if (readDbItem(host, 0, found.view(), read, &readPoints, &length, &height, &readLayer, &number) != 1) return false;
  placeItemPoints(readPoints, list);

  id = found.str();
  insPointValue = value;
  attributes = std::move(read);
  points = std::move(readPoints);
  lengthIndex = length;
  heightIndex = height;
  layer = std::move(readLayer);
  numericId = number;
  const char16_t letter = profession();
  for (const resbuf* key = last->next; isTextPair(key); key = key->next->next) {
    const std::u16string_view name = textOf(key);
    const std::u16string_view text = textOf(key->next);
    if (hvCompareNoCaseLetters(name, itemKey::type) == 0 || hvCompareNoCaseLetters(name, itemKey::points) == 0)
      continue;
    const std::int32_t property = itemPropertyIndex(host, letter, name);
    if (property >= 0) {
      texts.setAt(property, std::u16string(text).c_str());
      continue;
    }
    const std::int32_t entry = itemArray::indexOf(*this, name);
    if (entry >= 0) attributes[static_cast<std::size_t>(entry)].value = std::u16string(text);
    else otherPairs.push_back({std::u16string(name), std::u16string(text)});
  }
  setExtraApps(firstApp(list));
  return true;
}

namespace itemData {

int readFromEntity(QevItem& item, const resbuf* list, const HostExport2D* host) {
  item.reset();
  item.fromEntity = 1;
  entReader2D::commonProperties(item.props, list, false);
  item.props.setTail(nullptr);  // the extended data travels as insert data

  XtGePoint3d point;
  XtGeVector3d direction;
  XtGeVector3d normal;
  std::int16_t value = 0;
  int index = 0;
  if (list == nullptr || !item.readFromEntity(host, list) ||
      !readInsPointXdata(list, &value, &index, &point, &direction, &normal)) {
    item.reset();
    return itemStatus::unreadable;
  }
  item.insPointValue = value;
  item.currentPoint = index;
  item.origin = {point.x, point.y};
  item.xAxis = {direction.x, direction.y};
  item.zAxis = normal;
  const resbuf* xScale = entityGroup(list, 41);
  item.scale = xScale ? std::abs(xScale->value.real) : 1.0;
  item.mirrored = xScale && xScale->value.real < 0.0;
  if (!(item.scale > 0.0) || !std::isfinite(item.scale)) item.scale = 1.0;
  if (const resbuf* name = entityGroup(list, 2); name && name->value.str) item.blockName = name->value.str;
  if (const resbuf* follow = entityGroup(list, 66)) item.attributesFollow = follow->value.i16;
  item.insertData = itemListHolder::owning(copyResbufChain(firstApp(list), false));
  return itemStatus::ok;
}

int loadFromDatabase(QevItem& item, std::u16string_view id, int repeat, const HostExport2D* host) {
  item.reset();
  item.fromEntity = 0;
  if (QevItem::readDbItem(host, repeat, id, item.attributes, &item.points, &item.lengthIndex, &item.heightIndex,
                          &item.layer, &item.numericId) != 1) {
    item.reset();
    return itemStatus::unreadable;
  }
  item.id = std::u16string(id);
  item.mirrored = false;
  if (qevDatabase::Database* database = productDatabaseOf(host, id); database && database->itemCallback())
    database->itemCallback()(item.id);
  return itemStatus::ok;
}

int refreshFromDatabase(QevItem& item, const resbuf* list, int repeat, const HostExport2D* host) {
  QevItem scratch;
  if (readFromEntity(scratch, list, host) != itemStatus::ok) return itemStatus::unreadable;
  QevItem fresh;
  if (loadFromDatabase(fresh, scratch.id, repeat, host) != itemStatus::ok) return itemStatus::unreadable;
  fresh.props = scratch.props;
  for (std::int32_t i = 0; i < scratch.texts.count(); ++i) fresh.texts.setAt(i, scratch.texts.getAt(i));
  for (const itemAttribute& attribute : scratch.attributes)
    itemArray::setText(fresh, attribute.key, attribute.value.c_str());
  item = std::move(fresh);
  return itemStatus::ok;
}

}  // namespace itemData

#include "platform/cadhost/ResbufLists.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace cadhost {

namespace {

bool handedOut(const GroupCodeType& type) {
  return type.ownType && type.valueClass != GroupValueClass::None && type.valueClass != GroupValueClass::Name;
}

bool isTextClass(GroupValueClass c) { return c == GroupValueClass::Text || c == GroupValueClass::Handle; }

char16_t* heapText(const std::u16string& text) {
  auto* copy = static_cast<char16_t*>(std::malloc((text.size() + 1) * sizeof(char16_t)));
  if (copy == nullptr) return nullptr;
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = u'\0';
  return copy;
}

// Fills the value of a zeroed node; false when the heap is exhausted.
bool fillNode(resbuf& node, const Group& g) {
  switch (g.type().valueClass) {
    case GroupValueClass::Text:
    case GroupValueClass::Handle:
      node.value.str = heapText(g.asText());
      return node.value.str != nullptr;
    case GroupValueClass::Int16:
    case GroupValueClass::Bool:
      node.value.i16 = static_cast<std::int16_t>(g.asInt());
      return true;
    case GroupValueClass::Int32:
      node.value.i32 = static_cast<std::int32_t>(g.asInt());
      return true;
    case GroupValueClass::Int64:
      node.value.i64 = g.asInt();
      return true;
    case GroupValueClass::Real:
      node.value.real = g.asReal();
      return true;
    case GroupValueClass::Point: {
      const Point3& p = g.asPoint();
      node.value.point[0] = p.x;
      node.value.point[1] = p.y;
      node.value.point[2] = p.z;
      return true;
    }
    case GroupValueClass::Binary: {
      const Bytes& bytes = g.asBinary();
      const std::size_t n = std::min<std::size_t>(bytes.size(), std::numeric_limits<std::int16_t>::max());
      node.value.binary.length = static_cast<std::int16_t>(n);
      if (n == 0) return true;
      node.value.binary.data = static_cast<unsigned char*>(std::malloc(n));
      if (node.value.binary.data == nullptr) return false;
      std::memcpy(node.value.binary.data, bytes.data(), n);
      return true;
    }
    default:
      return true;
  }
}

}  // namespace

resbuf* newResbufList(const GroupList& list) {
  resbuf* head = nullptr;
  resbuf** link = &head;
  for (const Group& g : list) {
    if (!handedOut(g.type())) continue;
    auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (node == nullptr) {
      freeResbufList(head);
      return nullptr;
    }
    node->code = static_cast<std::int16_t>(g.code());
    *link = node;
    link = &node->next;
    if (!fillNode(*node, g)) {
      freeResbufList(head);
      return nullptr;
    }
  }
  return head;
}

void freeResbufList(resbuf* list) {
  while (list != nullptr) {
    resbuf* next = list->next;
    const GroupValueClass c = groupCodeType(list->code).valueClass;
    if (isTextClass(c))
      std::free(list->value.str);
    else if (c == GroupValueClass::Binary)
      std::free(list->value.binary.data);
    std::free(list);
    list = next;
  }
}

bool readResbufList(const resbuf* list, GroupList& out, std::string& error, std::size_t* skipped) {
  out.clear();
  std::size_t count = 0;
  std::size_t left = 0;
  for (const resbuf* node = list; node != nullptr; node = node->next) {
    if (++count > kMaxResbufNodes) {
      error = "the list has more than " + std::to_string(kMaxResbufNodes) + " nodes (or is circular)";
      return false;
    }
    const int code = node->code;
    const GroupCodeType type = groupCodeType(code);
    if (type.valueClass == GroupValueClass::None) {
      error = "group code " + std::to_string(code) + " is outside the known range";
      return false;
    }
    if (!handedOut(type)) {
      ++left;
      continue;
    }
    switch (type.valueClass) {
      case GroupValueClass::Text:
      case GroupValueClass::Handle:
        out.push_back(Group::text(code, node->value.str ? std::u16string(node->value.str) : std::u16string()));
        break;
      case GroupValueClass::Int16:
      case GroupValueClass::Bool:
        out.push_back(Group::integer(code, node->value.i16));
        break;
      case GroupValueClass::Int32:
        out.push_back(Group::integer(code, node->value.i32));
        break;
      case GroupValueClass::Int64:
        out.push_back(Group::integer(code, node->value.i64));
        break;
      case GroupValueClass::Real:
      case GroupValueClass::Point: {
        // The drawing holds finite numbers only: a file could not carry others.
        const bool real = type.valueClass == GroupValueClass::Real;
        const double* values = real ? &node->value.real : node->value.point;
        if (!std::all_of(values, values + (real ? 1 : 3), [](double v) { return std::isfinite(v); })) {
          error = "group code " + std::to_string(code) + ": not a finite number";
          return false;
        }
        out.push_back(real ? Group::real(code, values[0]) : Group::point(code, {values[0], values[1], values[2]}));
        break;
      }
      case GroupValueClass::Binary: {
        Bytes bytes;
        if (node->value.binary.data != nullptr && node->value.binary.length > 0)
          bytes.assign(node->value.binary.data, node->value.binary.data + node->value.binary.length);
        out.push_back(Group::binary(code, std::move(bytes)));
        break;
      }
      default:
        break;
    }
  }
  if (skipped != nullptr) *skipped = left;
  return true;
}

}  // namespace cadhost

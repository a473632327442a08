#include "host/ResbufChain.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "host/AllocFromBuffer.h"
#include "host/GroupCodeType.h"
#include "platform/cadhost/HostStatus.h"
#include "platform/win/StringCompare.h"

namespace {

bool sharesText(std::uint32_t type, bool keepPointers) {
  return keepPointers && (type & hvTypePointerLike) != 0;
}

// Where the blocks of a copy come from: the C heap, or a caller's arena.
class CopyStore {
 public:
  CopyStore(char** arenaNext, std::size_t* arenaLeft)
      : next_(arenaNext), left_(arenaLeft),
        arena_(arenaNext != nullptr && *arenaNext != nullptr && arenaLeft != nullptr) {}

  bool arena() const { return arena_; }

  void* allocate(std::size_t n) {
    if (!arena_) return std::calloc(1, n == 0 ? 1 : n);
    void* block = allocFromBuffer(next_, left_, n);
    if (block != nullptr) std::memset(block, 0, n);
    return block;
  }

 private:
  char** next_;
  std::size_t* left_;
  bool arena_;
};

template <class Char>
Char* copyText(CopyStore& store, const Char* text) {
  const std::size_t length = text ? std::basic_string_view<Char>(text).size() : 0;
  auto* copy = static_cast<Char*>(store.allocate((length + 1) * sizeof(Char)));
  if (copy != nullptr && length != 0) std::memcpy(copy, text, length * sizeof(Char));
  return copy;  // zeroed, so terminated
}

// Fills the value of `to` from `from`; false when a block could not be had.
bool copyValue(CopyStore& store, const resbuf& from, resbuf& to, std::uint32_t type,
               bool keepPointers, bool wide) {
  switch (type & hvClassMask) {
    case hvClassString:
      if (sharesText(type, keepPointers)) {
        to.value = from.value;
        return true;
      }
      if (wide) {
        to.value.str = copyText(store, from.value.str);
        return to.value.str != nullptr;
      }
      to.value.narrow = copyText(store, from.value.narrow);
      return to.value.narrow != nullptr;
    case hvClassBinary: {
      to.value.binary.length = from.value.binary.length;
      if (from.value.binary.data == nullptr || from.value.binary.length <= 0) return true;
      const auto n = static_cast<std::size_t>(from.value.binary.length);
      auto* bytes = static_cast<unsigned char*>(store.allocate(n));
      if (bytes == nullptr) return false;
      std::memcpy(bytes, from.value.binary.data, n);
      to.value.binary.data = bytes;
      return true;
    }
    default:
      std::memcpy(to.value.bytes, from.value.bytes, hvValueBytes(type));
      return true;
  }
}

}  // namespace

int freeResbufChain(resbuf* list, bool keepPointers) {
  while (list != nullptr) {
    resbuf* next = list->next;
    const std::uint32_t type = hvGroupCodeType(list->code);
    const std::uint32_t cls = type & hvClassMask;
    if (cls == hvClassString && !sharesText(type, keepPointers))
      std::free(list->value.str);
    else if (cls == hvClassBinary)
      std::free(list->value.binary.data);
    std::free(list);
    list = next;
  }
  return hostStatus::normal;
}

resbuf* copyResbufChainEx(const resbuf* list, bool keepPointers, bool firstOnly, bool wide,
                          char** arenaNext, std::size_t* arenaLeft) {
  CopyStore store(arenaNext, arenaLeft);
  resbuf* head = nullptr;
  resbuf** link = &head;
  for (const resbuf* from = list; from != nullptr; from = from->next) {
    const std::uint32_t type = hvGroupCodeType(from->code);
    if (type == 0) break;
    auto* to = static_cast<resbuf*>(store.allocate(sizeof(resbuf)));
    bool ok = to != nullptr;
    if (ok) {
      to->code = from->code;
      *link = to;
      link = &to->next;
      ok = copyValue(store, *from, *to, type, keepPointers, wide);
    }
    if (!ok) {
      if (!store.arena()) freeResbufChain(head, keepPointers);
      return nullptr;
    }
    if (firstOnly) break;
  }
  return head;
}

resbuf* copyResbufChain(const resbuf* list, bool keepPointers) {
  return copyResbufChainEx(list, keepPointers, false, true, nullptr, nullptr);
}

resbuf* copyResbufChainNarrow(const resbuf* list, bool keepPointers) {
  return copyResbufChainEx(list, keepPointers, false, false, nullptr, nullptr);
}

resbuf* lastResbufNode(resbuf* list) {
  if (list == nullptr) return nullptr;
  while (list->next != nullptr) list = list->next;
  return list;
}

resbuf** resbufEndLink(resbuf** head) {
  resbuf** link = head;
  while (*link != nullptr) link = &(*link)->next;
  return link;
}

void appendResbufChain(resbuf** head, resbuf* chain) {
  if (head != nullptr) *resbufEndLink(head) = chain;
}

resbuf* resbufInsertAfter(resbuf* node, resbuf* chain) {
  if (node == nullptr || chain == nullptr) return node;
  resbuf* tail = lastResbufNode(chain);
  tail->next = node->next;
  node->next = chain;
  return node;
}

void prependResbufChain(resbuf** head, resbuf* chain) {
  if (head == nullptr || chain == nullptr) return;
  lastResbufNode(chain)->next = *head;
  *head = chain;
}

const resbuf* findResbufText(const resbuf* list, int code, const char16_t* text) {
  const std::u16string_view wanted = text ? std::u16string_view(text) : std::u16string_view();
  for (; list != nullptr; list = list->next) {
    if (list->code != code || hvGroupCodeClass(code) != hvClassString) continue;
    const std::u16string_view have =
        list->value.str ? std::u16string_view(list->value.str) : std::u16string_view();
    if (hvCompareNoCaseLetters(have, wanted) == 0) return list;
  }
  return nullptr;
}

resbuf* findResbufText(resbuf* list, int code, const char16_t* text) {
  return const_cast<resbuf*>(findResbufText(static_cast<const resbuf*>(list), code, text));
}

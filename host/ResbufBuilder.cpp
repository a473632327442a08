#include "host/ResbufBuilder.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "host/ResbufChain.h"
#include "host/GroupCodeType.h"

ResbufArg::ResbufArg(const char16_t* text) {
  if (text == hvSkipText) {
    kind_ = Kind::skip;
  } else if (text == nullptr) {
    kind_ = Kind::null;
  } else {
    kind_ = Kind::text;
    text_ = {text, std::u16string_view(text).size()};
  }
}

ResbufArg::ResbufArg(const double* point) {
  if (point == nullptr) {
    kind_ = Kind::null;
  } else {
    kind_ = Kind::point;
    point_ = {point[0], point[1], point[2]};
  }
}

ResbufArg::ResbufArg(const resbufName* name) {
  if (name == nullptr) {
    kind_ = Kind::null;
  } else {
    kind_ = Kind::name;
    name_ = *name;
  }
}

namespace {

bool isValueless(int code) {
  return code == -3 || code == resbufType::listBegin || code == resbufType::listEnd ||
         code == resbufType::dotted;
}

// Stores an integer value that fits the field's bits, read as signed or
// unsigned (a 16-bit field takes -32768 to 65535).
template <class T>
bool storeInteger(const ResbufArg& v, T& field) {
  constexpr int bits = 8 * sizeof(T);
  const std::int64_t low = -(std::int64_t{1} << (bits - 1));
  const std::int64_t high = (std::int64_t{1} << bits) - 1;
  if (v.kind() != ResbufArg::Kind::integer || v.integer() < low || v.integer() > high) return false;
  field = static_cast<T>(static_cast<std::make_unsigned_t<T>>(v.integer()));
  return true;
}

const ResbufArg& argOf(const ResbufArg& arg) { return arg; }
const ResbufArg& argOf(const ResbufPair& pair) { return pair.value; }

// The list under construction, with the lists handed to the call.
class ListBuilder {
 public:
  explicit ListBuilder(std::size_t argCount) : taken_(argCount, false) {}

  // Adds the pair; the value is argument `index` of the call. False on failure.
  bool add(int code, const ResbufArg& v, std::size_t index) {
    using K = ResbufArg::Kind;
    if (isValueless(code)) {
      resbuf* node = newNode(code);
      if (node != nullptr && code != -3) node->value.i16 = -1;
      return node != nullptr;
    }
    const std::uint32_t cls = hvGroupCodeClass(code);
    if (cls == hvClassString && v.kind() == K::skip) return true;
    if (cls == 0 || cls == hvClassBinary) {
      if (code != hvSpliceCode) return false;
      if (v.kind() == K::null) return true;
      if (v.kind() != K::list) return false;
      taken_[index] = true;
      *link_ = v.list();
      link_ = resbufEndLink(link_);
      return true;
    }
    resbuf* node = newNode(code);
    if (node == nullptr) return false;
    switch (cls) {
      case hvClassString: {
        if (v.kind() != K::text && v.kind() != K::null) return false;
        const std::u16string_view text = v.text();
        auto* copy = static_cast<char16_t*>(std::malloc((text.size() + 1) * sizeof(char16_t)));
        if (copy == nullptr) return false;
        if (!text.empty()) std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
        copy[text.size()] = u'\0';
        node->value.str = copy;
        return true;
      }
      case hvClassPoint:
        if (v.kind() != K::point) return false;
        std::memcpy(node->value.point, v.point().data(), sizeof node->value.point);
        return true;
      case hvClassName:
        if (v.kind() != K::name) return false;
        node->value.name = v.name();
        return true;
      case hvClassReal:
        if (v.kind() == K::real) node->value.real = v.real();
        else if (v.kind() == K::integer) node->value.real = static_cast<double>(v.integer());
        else return false;
        return true;
      case hvClassInt64:
        if (v.kind() != K::integer) return false;
        node->value.i64 = v.integer();
        return true;
      case hvClassInt32:
        return storeInteger(v, node->value.i32);
      default:  // the 16-bit classes and booleans
        return storeInteger(v, node->value.i16);
    }
  }

  // Hands the list over; lists given to the call and not spliced are freed.
  template <class T>
  resbuf* finish(std::span<const T> items) {
    for (std::size_t i = 0; i < items.size(); ++i)
      if (!taken_[i] && argOf(items[i]).kind() == ResbufArg::Kind::list)
        freeResbufChain(argOf(items[i]).list(), false);
    return head_;
  }

  template <class T>
  resbuf* fail(std::span<const T> items) {
    freeResbufChain(head_, false);
    head_ = nullptr;
    return finish(items);
  }

 private:
  resbuf* newNode(int code) {
    auto* node = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    if (node == nullptr) return nullptr;
    node->code = static_cast<std::int16_t>(code);
    *link_ = node;
    link_ = &node->next;
    return node;
  }

  resbuf* head_ = nullptr;
  resbuf** link_ = &head_;
  std::vector<bool> taken_;
};

}  // namespace

resbuf* buildResbufList(std::span<const ResbufPair> pairs) {
  ListBuilder builder(pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i)
    if (!builder.add(pairs[i].code, pairs[i].value, i)) return builder.fail(pairs);
  return builder.finish(pairs);
}

resbuf* buildResbufList(std::initializer_list<ResbufPair> pairs) {
  return buildResbufList(std::span<const ResbufPair>(pairs.begin(), pairs.size()));
}

resbuf* buildResbufFromArgs(int mode, std::span<const ResbufArg> args) {
  ListBuilder builder(args.size());
  std::size_t i = 0;
  while (i < args.size()) {
    const ResbufArg& codeArg = args[i++];
    if (codeArg.kind() != ResbufArg::Kind::integer) return builder.fail(args);
    const std::int64_t raw = codeArg.integer();
    if (raw < std::numeric_limits<std::int16_t>::min() || raw > std::numeric_limits<std::int16_t>::max())
      return builder.fail(args);
    int code = static_cast<int>(raw);
    if (mode == 0) {
      if (code == hvListEndCode) break;
    } else {
      if (code == 0 || code == resbufType::none) break;
      if (code == resbufType::groupZero) code = 0;
    }
    if (isValueless(code)) {
      if (!builder.add(code, ResbufArg(), i)) return builder.fail(args);
      continue;
    }
    if (i >= args.size()) return builder.fail(args);
    const std::size_t index = i++;
    if (!builder.add(code, args[index], index)) return builder.fail(args);
  }
  return builder.finish(args);
}

// Small records the shared library's readers and builders pass around: a
// few zeroed records with their settled defaults, a record of three
// optional texts and two integers, and the holder of one owned object.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

// Six 64-bit values, zero.
struct sixValuesRec {
  std::int64_t values[6] = {0, 0, 0, 0, 0, 0};
};

// Three zeroed 32-bit fields and a last one of 257.
struct fieldsWith257Rec {
  std::int32_t fields[3] = {0, 0, 0};
  std::int32_t last = 257;
};

// Two pointers, null; the record owns neither.
struct pointerPairRec {
  void* first = nullptr;
  void* second = nullptr;
};

// A first 32-bit field of 1 and a second of 0.
struct firstOneRec {
  std::int32_t first = 1;
  std::int32_t second = 0;
};

// Nine zero bytes and a zero 32-bit field.
struct zeroBytesRec {
  std::uint8_t bytes[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::int32_t value = 0;
};

// Three texts, each of which may be missing, and two integers.
struct textTriple {
  std::optional<std::u16string> texts[3];
  std::int32_t values[2] = {0, 0};

  // Copies the source's texts and integers. A source without a first text
  // leaves this first text as it was; a missing second or third text makes
  // this one missing too. Assigning a record to itself changes nothing.
  void assign(const textTriple& source);
};

// Holds one object of a polymorphic type; reset deletes it once, through its
// virtual destructor, and clears the pointer.
template <typename Base>
class ownedObjectHolder {
  static_assert(std::has_virtual_destructor_v<Base>, "deleted through its virtual destructor");

 public:
  ownedObjectHolder() = default;
  explicit ownedObjectHolder(std::unique_ptr<Base> object) : object_(std::move(object)) {}

  Base* get() const { return object_.get(); }
  // Deletes the object held (if any) and holds `object` instead.
  void reset(std::unique_ptr<Base> object = nullptr) { object_ = std::move(object); }

 private:
  std::unique_ptr<Base> object_;
};

// The product databases of every profession, read from one record file.
//
// The record file is UTF-8 text (a byte-order mark is skipped), one entry per
// line; a ';' at the start of a line or after a blank begins a comment, and
// blanks around keys and values are dropped:
//
//   [PROFESSION T]          a profession's own section
//   PROP1=_LABEL            table rows: <TABLE><n>=name or name|value; the
//   PARS1=Katalog|2025      row number is the key's trailing digits, and a '_'
//   DIM1_3=DN20             before them separates a table name that ends in
//                           digits ("DIM1_3" is row 3 of table "DIM1")
//   TYPE16=16               the status of parameter type 16
//   [ITEM TOT0000-0023]     an item of the profession of its first letter
//   NUMID=23                its numeric identifier (required, unique in the
//                           profession)
//   LAYER=RZ                its layer (optional)
//   PARAM1=L|600|0          parameters key|value|type[|...], in file order
//   POINT1=#G/P1|0|0|-      connection points: name pattern (at most
//                           243 units)|16-bit integer|16-bit integer|flag
//
// A profession exists when it has a section or an item. Anything else is an
// error: the reader stops at the first one and throws ProductFileError with
// "file:line: message".
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qevdb/Database.h"

namespace qevDatabase {

class ProductFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest name pattern of a connection point.
inline constexpr std::size_t kMaxPointNames = 243;

class ProductDatabases {
 public:
  // Reads the record file; throws ProductFileError for an unreadable or
  // malformed file (an unreadable one names line 0).
  static ProductDatabases readFile(const std::filesystem::path& path);
  // Reads record-file text; `name` stands for the file in messages.
  static ProductDatabases parse(std::string_view text, const std::string& name);

  // The database of a profession letter (either case); null when the file
  // has none. The object stays where it is for the life of this one.
  Database* find(char16_t letter) const;
  // The profession letters, in order.
  std::vector<char16_t> letters() const;

 private:
  std::map<char16_t, std::unique_ptr<Database>> databases_;
};

}  // namespace qevDatabase

#include "platform/qevdb/ProductFile.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>

#include "platform/win/Utf8.h"

namespace qevDatabase {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The line without its comment.
std::string_view withoutComment(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == ';' && (i == 0 || isBlank(line[i - 1]))) return line.substr(0, i);
  return line;
}

template <class Int>
std::optional<Int> parseInteger(std::string_view text) {
  Int value{};
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char16_t upper(char c) { return static_cast<char16_t>(c >= 'a' && c <= 'z' ? c - 32 : c); }

// "<NAME><digits>": the name (a '_' before the digits dropped) and the number.
struct NumberedKey {
  std::string name;
  std::int32_t number = 0;
};
std::optional<NumberedKey> splitNumberedKey(std::string_view key) {
  std::size_t digits = key.size();
  while (digits > 0 && key[digits - 1] >= '0' && key[digits - 1] <= '9') --digits;
  if (digits == key.size() || digits == 0) return std::nullopt;
  const auto number = parseInteger<std::int32_t>(key.substr(digits));
  if (!number) return std::nullopt;
  std::string_view name = key.substr(0, digits);
  if (name.back() == '_') name.remove_suffix(1);
  if (name.empty()) return std::nullopt;
  return NumberedKey{std::string(name), *number};
}

std::vector<std::string_view> splitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t bar = text.find('|');
    fields.push_back(text.substr(0, bar));
    if (bar == std::string_view::npos) return fields;
    text.remove_prefix(bar + 1);
  }
}

class Reader {
 public:
  Reader(std::string name, std::map<char16_t, std::unique_ptr<Database>>& databases)
      : name_(std::move(name)), databases_(databases) {}

  void read(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    for (std::size_t start = 0; start <= text.size();) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++lineNumber_;
      readLine(line);
      start = end + 1;
    }
    finishItem();
  }

 private:
  [[noreturn]] void fail(const std::string& message, std::size_t line = 0) const {
    throw ProductFileError(name_ + ":" + std::to_string(line ? line : lineNumber_) + ": " + message);
  }

  Database& database(char16_t letter) {
    std::unique_ptr<Database>& slot = databases_[letter];
    if (!slot) slot = std::make_unique<Database>(letter);
    return *slot;
  }

  void readLine(std::string_view raw) {
    if (!hvIsValidUtf8(raw)) fail("the line is not UTF-8");
    const std::string_view line = trimmed(withoutComment(raw));
    if (line.empty()) return;
    if (line.front() == '[') return readSection(line);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) fail("expected KEY=VALUE or a [section]");
    const std::string_view key = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (key.empty()) fail("a value without a key");
    if (item_) return readItemKey(key, value);
    if (profession_) return readProfessionKey(key, value);
    fail("KEY=VALUE before the first section");
  }

  void readSection(std::string_view line) {
    finishItem();
    profession_ = nullptr;
    if (line.back() != ']') fail("a section header without ']'");
    const std::string_view inner = trimmed(line.substr(1, line.size() - 2));
    const std::size_t blank = inner.find_first_of(" \t");
    const std::string_view kind = inner.substr(0, blank);
    const std::string_view name = blank == std::string_view::npos ? std::string_view() : trimmed(inner.substr(blank));
    if (kind == "PROFESSION") {
      if (name.size() != 1 || !isAsciiLetter(name.front())) fail("a profession is one letter A to Z");
      profession_ = &database(upper(name.front()));
      return;
    }
    if (kind == "ITEM") {
      if (name.empty() || !isAsciiLetter(name.front())) fail("an item identifier begins with its profession letter");
      item_ = ItemRecord{};
      item_->identifier = hvUtf8ToWide(name);
      itemLine_ = lineNumber_;
      return;
    }
    fail("unknown section [" + std::string(inner) + "]");
  }

  void readProfessionKey(std::string_view key, std::string_view value) {
    const auto numbered = splitNumberedKey(key);
    if (!numbered) fail("expected <TABLE><n> or TYPE<n>, not " + std::string(key));
    if (numbered->name == "TYPE") {
      const auto status = parseInteger<std::int32_t>(value);
      if (!status) fail("the status of a parameter type is a whole number");
      if (!profession_->addParameterType(numbered->number, *status)) fail(std::string(key) + " given twice");
      return;
    }
    const std::size_t bar = value.find('|');
    NameRow row{hvUtf8ToWide(value.substr(0, bar)),
                bar == std::string_view::npos ? std::u16string() : hvUtf8ToWide(value.substr(bar + 1))};
    if (row.name.empty()) fail("a table row without a name");
    if (!profession_->addTableRow(hvUtf8ToWide(numbered->name), numbered->number, std::move(row)))
      fail(std::string(key) + " given twice");
  }

  void readItemKey(std::string_view key, std::string_view value) {
    if (key == "NUMID") {
      if (numericIdGiven_) fail("NUMID given twice");
      const auto id = parseInteger<std::int32_t>(value);
      if (!id) fail("NUMID is a whole number");
      item_->numericId = *id;
      numericIdGiven_ = true;
      return;
    }
    if (key == "LAYER") {
      if (item_->layer) fail("LAYER given twice");
      if (value.empty()) fail("an empty LAYER");
      item_->layer = hvUtf8ToWide(value);
      return;
    }
    const auto numbered = splitNumberedKey(key);
    if (!numbered || (numbered->name != "PARAM" && numbered->name != "POINT"))
      fail("unknown item key " + std::string(key));
    if (!itemKeys_.insert(std::string(key)).second) fail(std::string(key) + " given twice");
    if (numbered->name == "PARAM") {
      if (value.find('|') == std::string_view::npos) fail("a PARAM is key|value|type");
      item_->parameters.push_back(hvUtf8ToWide(value));
      return;
    }
    const std::vector<std::string_view> fields = splitFields(value);
    if (fields.size() != 4) fail("a POINT is names|integer|integer|flag, not " + std::to_string(fields.size()) + " fields");
    PointRecord point;
    point.names = hvUtf8ToWide(fields[0]);
    if (point.names.size() > kMaxPointNames) fail("a POINT name pattern longer than 243 units");
    const auto first = parseInteger<std::int16_t>(fields[1]);
    const auto second = parseInteger<std::int16_t>(fields[2]);
    if (!first || !second) fail("the integers of a POINT lie in -32768..32767");
    point.first = *first;
    point.second = *second;
    point.flag = hvUtf8ToWide(fields[3]);
    item_->points.push_back(std::move(point));
  }

  void finishItem() {
    if (!item_) return;
    ItemRecord item = std::move(*item_);
    item_.reset();
    const bool hadNumericId = numericIdGiven_;
    numericIdGiven_ = false;
    itemKeys_.clear();
    const std::string id = hvWideToUtf8(item.identifier);
    if (!hadNumericId) fail("item " + id + " has no NUMID", itemLine_);
    Database& db = database(upper(static_cast<char>(item.identifier.front())));
    if (db.findNumericId(item.numericId))
      fail("item " + id + ": NUMID " + std::to_string(item.numericId) + " is used by another item", itemLine_);
    if (!db.addItem(std::move(item))) fail("item " + id + " is given twice", itemLine_);
  }

  std::string name_;
  std::map<char16_t, std::unique_ptr<Database>>& databases_;
  std::size_t lineNumber_ = 0;
  Database* profession_ = nullptr;
  std::optional<ItemRecord> item_;
  std::size_t itemLine_ = 0;
  bool numericIdGiven_ = false;
  std::set<std::string> itemKeys_;
};

}  // namespace

ProductDatabases ProductDatabases::readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ProductFileError(path.string() + ":0: the file cannot be read");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return parse(bytes.str(), path.string());
}

ProductDatabases ProductDatabases::parse(std::string_view text, const std::string& name) {
  ProductDatabases result;
  Reader(name, result.databases_).read(text);
  return result;
}

Database* ProductDatabases::find(char16_t letter) const {
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  const auto found = databases_.find(letter);
  return found != databases_.end() ? found->second.get() : nullptr;
}

std::vector<char16_t> ProductDatabases::letters() const {
  std::vector<char16_t> out;
  for (const auto& entry : databases_) out.push_back(entry.first);
  return out;
}

}  // namespace qevDatabase

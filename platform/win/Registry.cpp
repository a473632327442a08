#include "platform/win/Registry.h"

#include "platform/win/FileContents.h"
#include "platform/win/FileErrors.h"
#include "platform/win/StringCompare.h"
#include "platform/win/Utf8.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr LSTATUS kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr LSTATUS kKeyDeleted = 1018;      // ERROR_KEY_DELETED
constexpr LSTATUS kSuccess = static_cast<LSTATUS>(ERROR_SUCCESS);

// Names compare folded; the map key is the folded name.
std::u16string folded(std::u16string_view name) {
  std::u16string f(name);
  for (char16_t& c : f) c = hvFoldLetters(c);
  return f;
}

struct Value {
  std::u16string name;
  DWORD type = REG_NONE;
  std::string bytes;
};

struct Key {
  std::u16string name;
  std::map<std::u16string, std::shared_ptr<Key>> children;
  std::map<std::u16string, Value> values;
  bool deleted = false;
};

struct OpenKey {
  std::shared_ptr<Key> key;
  REGSAM access = 0;
};

struct RootInfo {
  HKEY handle;
  const char* name;
};

const RootInfo kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
                           {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
                           {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
                           {HKEY_USERS, "HKEY_USERS"}};

class Registry {
 public:
  std::mutex mutex;

  Registry() { reset(); }

  void reset() {
    roots_.clear();
    for (const RootInfo& root : kRoots) {
      auto key = std::make_shared<Key>();
      key->name = hvUtf8ToWide(root.name);
      roots_[root.handle] = key;
    }
  }

  // The open key of a handle, or nothing.
  std::optional<OpenKey> find(HKEY handle) const {
    if (const auto root = roots_.find(handle); root != roots_.end()) return OpenKey{root->second, KEY_ALL_ACCESS};
    if (const auto open = handles_.find(handle); open != handles_.end()) return open->second;
    return std::nullopt;
  }

  HKEY open(std::shared_ptr<Key> key, REGSAM access) {
    const HKEY handle = reinterpret_cast<HKEY>(nextHandle_);
    nextHandle_ += 4;
    handles_[handle] = OpenKey{std::move(key), access};
    return handle;
  }

  bool close(HKEY handle) { return handles_.erase(handle) > 0; }

  std::string serialise() const;
  bool load(const std::string& text);

  fs::path file;

 private:
  std::map<HKEY, std::shared_ptr<Key>> roots_;
  std::map<HKEY, OpenKey> handles_;
  std::uintptr_t nextHandle_ = 0x1000;
};

Registry& registry() {
  static Registry r;
  return r;
}

// The path below a key split at '\', empty parts dropped.
std::vector<std::u16string> splitPath(LPCWSTR subKey) {
  std::vector<std::u16string> parts;
  if (!subKey) return parts;
  std::u16string part;
  for (LPCWSTR p = subKey;; ++p) {
    if (*p == u'\\' || *p == 0) {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
      if (*p == 0) break;
    } else {
      part += *p;
    }
  }
  return parts;
}

// Saves after a change; answers the system error of a failed save.
LSTATUS persist(Registry& r) {
  if (r.file.empty()) return kSuccess;
  const int err = hvReplaceFileBytes(r.file, r.serialise());
  return err == 0 ? kSuccess : static_cast<LSTATUS>(hvSystemErrorFromErrno(err));
}

// Persistent form: one line per key ("K path") and per value
// ("V path name type hex"). Texts are UTF-8 with '%', blanks and control
// characters written as %XX; a value's empty name is written "@" (and a
// name "@" as %40).
std::string escape(std::u16string_view text) {
  std::string out;
  for (unsigned char c : hvWideToUtf8(text)) {
    if (c <= 0x20 || c == '%' || c == 0x7F || c == '@') {
      static const char digits[] = "0123456789ABCDEF";
      out += '%';
      out += digits[c >> 4];
      out += digits[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::optional<std::u16string> unescape(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const std::string hex = text.substr(i + 1, 2);
    char* end = nullptr;
    const long v = std::strtol(hex.c_str(), &end, 16);
    if (hex.size() != 2 || end != hex.c_str() + 2) return std::nullopt;
    bytes += static_cast<char>(v);
    i += 2;
  }
  return hvUtf8ToWide(bytes);
}

void serialiseKey(const Key& key, const std::string& path, std::ostringstream& out) {
  out << "K " << path << '\n';
  for (const auto& [unused, value] : key.values) {
    out << "V " << path << ' ' << (value.name.empty() ? std::string("@") : escape(value.name)) << ' ' << value.type
        << ' ';
    static const char digits[] = "0123456789ABCDEF";
    for (unsigned char b : value.bytes) out << digits[b >> 4] << digits[b & 15];
    out << '\n';
  }
  for (const auto& [unused, child] : key.children) serialiseKey(*child, path + "\\" + escape(child->name), out);
}

std::string Registry::serialise() const {
  std::ostringstream out;
  out << "HV-REGISTRY 1\n";
  for (const RootInfo& root : kRoots) serialiseKey(*roots_.at(root.handle), root.name, out);
  return out.str();
}

// The key at a persistent path, created when missing.
std::shared_ptr<Key> keyAt(const std::map<HKEY, std::shared_ptr<Key>>& roots, const std::string& path) {
  std::vector<std::string> parts;
  std::istringstream in(path);
  for (std::string part; std::getline(in, part, '\\');) parts.push_back(part);
  if (parts.empty()) return nullptr;
  std::shared_ptr<Key> key;
  for (const RootInfo& root : kRoots) {
    if (parts[0] == root.name) key = roots.at(root.handle);
  }
  for (std::size_t i = 1; key && i < parts.size(); ++i) {
    const std::optional<std::u16string> name = unescape(parts[i]);
    if (!name || name->empty()) return nullptr;
    auto& child = key->children[folded(*name)];
    if (!child) {
      child = std::make_shared<Key>();
      child->name = *name;
    }
    key = child;
  }
  return key;
}

bool Registry::load(const std::string& text) {
  bool whole = true;
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line) || line != "HV-REGISTRY 1") return false;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind, path, name, hex;
    DWORD type = 0;
    fields >> kind >> path;
    std::shared_ptr<Key> key = keyAt(roots_, path);
    if (!key) {
      whole = false;
      continue;
    }
    if (kind == "K") continue;
    const bool complete = static_cast<bool>(fields >> name >> type);
    fields >> hex;  // absent for an empty value
    const std::optional<std::u16string> valueName = name == "@" ? std::u16string() : unescape(name);
    if (kind != "V" || !complete || !valueName || hex.size() % 2 != 0 || hex.find_first_not_of("0123456789ABCDEF") != std::string::npos) {
      whole = false;
      continue;
    }
    Value value{*valueName, type, {}};
    for (std::size_t i = 0; i < hex.size(); i += 2) value.bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    key->values[folded(*valueName)] = std::move(value);
  }
  return whole;
}

LSTATUS openOrCreate(HKEY parent, LPCWSTR subKey, REGSAM desired, bool create, PHKEY result, DWORD* disposition) {
  if (!result) return kInvalidParameter;
  *result = nullptr;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  const std::optional<OpenKey> start = r.find(parent);
  if (!start) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (start->key->deleted) return kKeyDeleted;
  std::shared_ptr<Key> key = start->key;
  bool created = false;
  for (const std::u16string& part : splitPath(subKey)) {
    const std::u16string name = folded(part);
    if (const auto it = key->children.find(name); it != key->children.end()) {
      key = it->second;
      continue;
    }
    if (!create) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
    // Creating below the handle's key needs that right; the keys made on
    // the way are the caller's.
    if (!created && !(start->access & KEY_CREATE_SUB_KEY)) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
    auto child = std::make_shared<Key>();
    child->name = part;
    key->children[name] = child;
    key = child;
    created = true;
  }
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = r.open(key, desired);
  return created ? persist(r) : kSuccess;
}

std::u16string valueKey(LPCWSTR name) { return folded(name ? std::u16string_view(name) : std::u16string_view()); }

}  // namespace

LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM desired, void*, PHKEY result,
                        DWORD* disposition) {
  return openOrCreate(key, subKey, desired, true, result, disposition);
}

LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  return openOrCreate(key, subKey, desired, false, result, nullptr);
}

LSTATUS RegCloseKey(HKEY key) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  if (r.close(key) || r.find(key)) return kSuccess;  // closing a root does nothing
  return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
}

namespace {

// The open key behind `key` when it still exists and was opened with `access`.
LSTATUS openValueKey(Registry& r, HKEY key, REGSAM access, std::optional<OpenKey>& open) {
  open = r.find(key);
  if (!open) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  if (open->key->deleted) return kKeyDeleted;
  if (!(open->access & access)) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  return kSuccess;
}

}  // namespace

LSTATUS RegQueryValueExW(HKEY key, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
  if (data && !size) return kInvalidParameter;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::optional<OpenKey> open;
  if (const LSTATUS status = openValueKey(r, key, KEY_QUERY_VALUE, open); status != kSuccess) return status;
  const auto it = open->key->values.find(valueKey(name));
  if (it == open->key->values.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
  const Value& value = it->second;
  if (type) *type = value.type;
  const DWORD needed = static_cast<DWORD>(value.bytes.size());
  if (!size) return kSuccess;
  const DWORD available = *size;
  *size = needed;
  if (!data) return kSuccess;
  if (available < needed) return static_cast<LSTATUS>(ERROR_MORE_DATA);
  std::memcpy(data, value.bytes.data(), needed);
  return kSuccess;
}

LSTATUS RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  if (!data && size > 0) return kInvalidParameter;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::optional<OpenKey> open;
  if (const LSTATUS status = openValueKey(r, key, KEY_SET_VALUE, open); status != kSuccess) return status;
  Value value{name ? name : u"", type, std::string(reinterpret_cast<const char*>(data), size)};
  open->key->values[valueKey(name)] = std::move(value);
  return persist(r);
}

LSTATUS RegDeleteValueW(HKEY key, LPCWSTR name) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  std::optional<OpenKey> open;
  if (const LSTATUS status = openValueKey(r, key, KEY_SET_VALUE, open); status != kSuccess) return status;
  if (open->key->values.erase(valueKey(name)) == 0) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
  return persist(r);
}

LSTATUS RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
  const std::vector<std::u16string> parts = splitPath(subKey);
  if (parts.empty()) return kInvalidParameter;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  const std::optional<OpenKey> open = r.find(key);
  if (!open) return static_cast<LSTATUS>(ERROR_INVALID_HANDLE);
  std::shared_ptr<Key> parent = open->key;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const auto it = parent->children.find(folded(parts[i]));
    if (it == parent->children.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
    parent = it->second;
  }
  const auto it = parent->children.find(folded(parts.back()));
  if (it == parent->children.end()) return static_cast<LSTATUS>(ERROR_FILE_NOT_FOUND);
  if (!it->second->children.empty()) return static_cast<LSTATUS>(ERROR_ACCESS_DENIED);
  it->second->deleted = true;
  parent->children.erase(it);
  return persist(r);
}

bool hvRegistryUseFile(const fs::path& file) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.file = file;
  if (file.empty()) return true;
  std::error_code ec;
  if (!fs::exists(file, ec)) {
    r.reset();
    return true;
  }
  const std::optional<std::string> bytes = hvReadFileBytes(file);
  r.reset();
  return bytes && r.load(*bytes);
}

void hvRegistryClear() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.reset();
  persist(r);
}

#include "host/items/productConnection.h"

#include <array>
#include <memory>
#include <mutex>

#include "host/HostExport.h"
#include "host/UserParams.h"

namespace {

constexpr std::array<char16_t, 4> kProfessions = {u'E', u'T', u'V', u'Z'};

// Host thread only (see the header).
std::array<productConnection, kProfessions.size()> g_connections;

int professionSlot(char16_t letter) {
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
  for (std::size_t i = 0; i < kProfessions.size(); ++i)
    if (kProfessions[i] == letter) return static_cast<int>(i);
  return -1;
}

// A database seen as a user-parameter source: its table "PARS".
class ParamSource final : public HvUserParamSource {
 public:
  explicit ParamSource(const qevDatabase::Database* database) : database_(database) {}
  CUserParams enumNames(std::u16string_view table) const override {
    CUserParams params;
    for (const qevDatabase::NameRow& row : database_->EnumNames(table)) params.push_back({row.name, row.value});
    return params;
  }

 private:
  const qevDatabase::Database* database_;
};

// One source per database handle, made on first use and kept for the process
// (the handles are the host's objects, which outlive every command). The
// resolver may be asked from any thread, hence the lock.
const HvUserParamSource* resolveParamSource(void* handle) {
  static std::mutex lock;
  static std::map<void*, std::unique_ptr<ParamSource>> sources;
  if (handle == nullptr) return nullptr;
  std::lock_guard<std::mutex> guard(lock);
  std::unique_ptr<ParamSource>& source = sources[handle];
  if (!source) source = std::make_unique<ParamSource>(static_cast<const qevDatabase::Database*>(handle));
  return source.get();
}

}  // namespace

productConnection* openProductConnection(const HostExport2D* host, char16_t letter) {
  const int slot = professionSlot(letter);
  if (slot < 0) return nullptr;
  productConnection& record = g_connections[static_cast<std::size_t>(slot)];
  if (record.database == nullptr) {
    const std::optional<void*> handle = hostProductDatabaseOf(host, kProfessions[static_cast<std::size_t>(slot)]);
    if (!handle) return nullptr;
    record = productConnection{};
    record.database = static_cast<qevDatabase::Database*>(*handle);
  }
  return &record;
}

qevDatabase::Database* productDatabaseOf(const HostExport2D* host, std::u16string_view identifier) {
  if (identifier.empty()) return nullptr;
  productConnection* record = openProductConnection(host, identifier.front());
  return record != nullptr ? record->database : nullptr;
}

void resetProductConnections() {
  for (productConnection& record : g_connections) record = productConnection{};
}

void bindProductDatabases() { hvSetUserParamResolver(resolveParamSource); }

// The product databases of the professions as the item code reaches them: one
// connection record per profession letter 'E', 'T', 'V' and 'Z' (a lower-case
// letter counts as its upper case; any other letter has none). A record holds
// the database that word 51 of the host's "GetExport2D" table answers for the
// letter and the cache of the profession's property names; it is opened on
// first use and counts as open only when the host gave a database (a letter
// without one is asked again next time).
//
// The records are process-wide and belong to the host's thread: the item
// code runs there only. The commands reset them at their start, so that each
// command asks the host afresh; the databases themselves are the host's.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cadhost/HostTables.h"
#include "platform/qevdb/Database.h"

struct productConnection {
  qevDatabase::Database* database = nullptr;
  // The database's property names by index, nothing where it has none
  // (itemPropertyKeys.h); filled as they are asked for.
  std::map<std::int32_t, std::optional<std::u16string>> names;
};

// The open record of the letter, through word 51 of `host` (a fresh table
// when null); null for another letter or when the host gives no database.
productConnection* openProductConnection(const HostExport2D* host, char16_t letter);

// The database of the letter that begins `identifier`; null as above or for
// an empty identifier.
qevDatabase::Database* productDatabaseOf(const HostExport2D* host, std::u16string_view identifier);

// Closes every record (the databases stay the host's).
void resetProductConnections();

// Lets the user parameters (host/UserParams.h) read a database handle of word
// 51 as a database: its table "PARS". Called once at start-up.
void bindProductDatabases();

// The names of an item's properties. Property i of a profession is named by
// row i of its database's table "PROP"; where the database has no such row
// (or there is no database), the fixed names "_MATERIAL", "_LABEL", "_NAME",
// "_DIM", "_LENGTH", "_WIDTH", "_HEIGHT", "_DIAMETER", "_COMMENT" and "_ANGLE"
// stand for indices 0 to 9. The database's answers are cached in the
// profession's connection record (productConnection.h). Host thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/cadhost/HostTables.h"

inline constexpr std::int32_t kFixedPropertyCount = 10;
// The most database names itemPropertyIndex tries.
inline constexpr std::int32_t kMaxPropertyNames = 4096;

// The fixed name of index 0 to 9; null for any other index.
const char16_t* fixedPropertyName(std::int32_t index);

// The database's name of property `index` of the letter's profession (through
// word 51 of `host`, a fresh table when null); nothing when the database has
// none or the profession has no database.
std::optional<std::u16string> itemPropertyName(const HostExport2D* host, char16_t letter, std::int32_t index);

// The key a property is written under: the database's name, else the fixed
// name; empty for an index with neither.
std::u16string itemPropertyKey(const HostExport2D* host, char16_t letter, std::int32_t index);

// The index of the first database name equal to the key without regard to
// case (names tried from index 0 until one is missing), else the index of the
// fixed name equal to it, else -1.
std::int32_t itemPropertyIndex(const HostExport2D* host, char16_t letter, std::u16string_view key);

// User parameters: named values of a product database's table "PARS", else of
// section "INFO" of a profile file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win/WinTypes.h"

struct CUserParamItem {
  std::u16string name;
  std::u16string value;
};
using CUserParams = std::vector<CUserParamItem>;

// What the parameter readers need of a product database: the rows of a table
// as name and value pairs.
class HvUserParamSource {
 public:
  virtual ~HvUserParamSource() = default;
  virtual CUserParams enumNames(std::u16string_view table) const = 0;
};

// The value of `key`: the first row of the database's table "PARS" whose name
// equals the key exactly, else the key of section "INFO" of `file`, else
// `defaultValue`. Null texts count as empty.
std::u16string getUserParam(const HvUserParamSource* database, const char16_t* key,
                            const char16_t* defaultValue, const char16_t* file);

// The same into a buffer of `size` units: at most size - 1 units and a
// terminator. Answers the units copied.
int getUserParam(const HvUserParamSource* database, const char16_t* key, const char16_t* defaultValue,
                 char16_t* out, int size, const char16_t* file);

// getUserParam without a database.
std::u16string getInfoParam(const char16_t* key, const char16_t* defaultValue, const char16_t* file);

// The database of the profession letter that begins `name` ('E', 'T', 'V', 'Z',
// either case; through word 51 of the host's table), then getUserParam without
// a profile file.
std::u16string getUserParamByLetter(const char16_t* name, const char16_t* key, const char16_t* defaultValue);

// How a database handle of the host (word 51) becomes a parameter source; set
// by the product-database binding. Without it handles give no database.
using HvUserParamResolver = const HvUserParamSource* (*)(void* databaseHandle);
void hvSetUserParamResolver(HvUserParamResolver resolver);

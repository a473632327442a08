// The product databases the host serves through word 51: the record file of
// the --products option, else <host-dir>/Dat/QevProducts.dat when present;
// "none" (or no file) gives none. The host owns them for the run.
#pragma once

#include <memory>
#include <string>

#include "platform/cadhost/CadhostOptions.h"
#include "platform/qevdb/ProductFile.h"

namespace cadhost {

// The databases, or null when the run has none; `source` receives the file
// read (empty when none). Throws qevDatabase::ProductFileError ("file:line:
// message") for a file given that is missing or malformed, and for a
// malformed default file.
std::unique_ptr<qevDatabase::ProductDatabases> loadHostProducts(const CadhostOptions& options, std::string& source);

}  // namespace cadhost

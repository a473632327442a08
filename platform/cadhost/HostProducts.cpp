#include "platform/cadhost/HostProducts.h"

#include <filesystem>

namespace cadhost {

std::unique_ptr<qevDatabase::ProductDatabases> loadHostProducts(const CadhostOptions& options, std::string& source) {
  source.clear();
  if (options.productsPath == "none") return nullptr;
  std::filesystem::path path = options.productsPath;
  if (path.empty()) {
    path = std::filesystem::path(options.hostDir) / "Dat" / "QevProducts.dat";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return nullptr;
  }
  auto databases = std::make_unique<qevDatabase::ProductDatabases>(qevDatabase::ProductDatabases::readFile(path));
  source = path.string();
  return databases;
}

}  // namespace cadhost

#include "production/record_paths.h"

namespace torvane {

std::string FileInFolder(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path + std::string(name);
}

}  // namespace torvane

#pragma once
// A fresh folder under the system's temporary one, removed again with everything in it.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quenlow::testing {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "quenlow-test") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    // A test may have taken the write permission away from a file or from the folder.
    for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace quenlow::testing

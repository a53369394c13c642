#pragma once
// A fresh folder for one test's files, removed with everything in it afterwards, and the few
// file helpers the score tests share.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "scores/IniFile.h"

namespace quenlow::testing {

class TempFolder {
 public:
  TempFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quenlow-scores-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    // Tests take write permission away; give it back so that everything can go.
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
      ::chmod(it->path().c_str(), 0700);
    }
    ::chmod(path_.c_str(), 0700);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

  // Names of everything in the folder, hidden files included.
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.insert(entry.path().filename().string());
    return names;
  }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// The file's bytes, or nothing when it cannot be read as a file.
inline std::optional<std::string> ReadBytes(const std::string& path) {
  if (!std::filesystem::is_regular_file(path)) return std::nullopt;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in) return std::nullopt;
  return bytes;
}

inline mode_t ModeOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("cannot stat " + path);
  return info.st_mode & 07777;
}

// Sets and later takes back the hook that runs just before a temporary file replaces the score
// file, so that no test leaves it behind for the next.
class ReplaceHookGuard {
 public:
  template <typename F>
  explicit ReplaceHookGuard(F hook) {
    IniFile::SetBeforeReplaceHook(std::move(hook));
  }
  ReplaceHookGuard(const ReplaceHookGuard&) = delete;
  ReplaceHookGuard& operator=(const ReplaceHookGuard&) = delete;
  ~ReplaceHookGuard() { IniFile::SetBeforeReplaceHook({}); }
};

}  // namespace quenlow::testing

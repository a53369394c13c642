#pragma once
// An INI file read and written in place, line by line, the way the Windows
// private-profile functions do it. Nothing is cached: every call goes to the file.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quenlow {

// Thrown when the system refuses a write. what() is "Unable to write to <path>".
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IniFile {
 public:
  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t fallback) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

 private:
  std::string path_;
};

}  // namespace quenlow

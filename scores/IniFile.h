#pragma once
// An INI file read and written in place, line by line, the way the Windows
// private-profile functions do it. Nothing is cached: every call goes to the file. The rules
// of the syntax are in IniSyntax.h; how a file is replaced is in FileReplace.h.
//
// Writing: only the line of the key changes (or a line, or a section, is added); every other
// byte of the file stays. The file is replaced whole, so that a crash leaves either the old
// file or the new one, never half of one; it keeps its permissions.

#include <cstdint>
#include <string>
#include <utility>

#include "scores/FileReplace.h"
#include "scores/IniSyntax.h"
#include "scores/ProfileInteger.h"

namespace quenlow {

class IniFile {
 public:
  static constexpr std::size_t kValueBufferSize = kIniValueBufferSize;
  static constexpr std::size_t kMaxNameLength = kIniMaxNameLength;

  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Reads never fail: a missing, unreadable or odd file gives the fallback. Blanks around the
  // section and key names asked for are ignored. Names holding CR, LF or NUL, or longer than
  // kMaxNameLength, throw std::invalid_argument (no line of a file could ever hold them).
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t fallback) const;

  // Throw WriteError when the system refuses the write (see FileReplacement); nothing of the
  // file changes then. CR and LF in the value are written as blanks, so that a value can never
  // add lines to the file. Besides the rules for reading, a key may not hold "=" or begin
  // with ";" or "[", and a section name may not hold "]" (std::invalid_argument).
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

  using BeforeReplaceHook = FileReplacement::BeforeReplaceHook;
  static void SetBeforeReplaceHook(BeforeReplaceHook hook) {
    FileReplacement::SetBeforeReplaceHook(std::move(hook));
  }

 private:
  std::string path_;
};

}  // namespace quenlow

#include "scores/IniFile.h"

namespace quenlow {

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  const std::string sectionName = CheckedName(section, "section");
  const std::string keyName = CheckedName(key, "key");
  FileSource file;
  if (!file.OpenRegular(path_)) return fallback;
  Lookup found = FindKey(file, sectionName, keyName);
  return found.keyFound ? std::move(found.value) : fallback;
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                                  std::int32_t fallback) const {
  return ParseProfileInteger(ReadString(section, key, std::string()), fallback);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  const WriteNames names = CheckedWriteNames(section, key);
  FileReplacement replacement(path_);
  const std::optional<Edit> edit = PlanWrite(replacement.Current(), names, value);
  if (!edit) throw replacement.Refused();
  replacement.Commit(*edit);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace quenlow

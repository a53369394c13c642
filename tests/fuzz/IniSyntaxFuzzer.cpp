// Feeds arbitrary bytes to the score-file syntax in memory, with no file system in the way,
// and aborts when a planned write, applied to the bytes, does not read back as written or
// changes another value, or when a value read as a record holder's name would read as another
// name once saved.

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scores/IniSyntax.h"
#include "scores/NameText.h"
#include "scores/ProfileInteger.h"
#include "tests/fuzz/FuzzProbes.h"

namespace {

using namespace quenlow;
using namespace quenlow::fuzz;

std::optional<std::string> Read(std::string_view bytes, const char* section, const char* key) {
  MemorySource source(bytes);
  Lookup found = FindKey(source, CheckedName(section, "section"), CheckedName(key, "key"));
  Require(!found.readFailed, "memory cannot fail to read");
  if (!found.keyFound) return std::nullopt;
  (void)ParseProfileInteger(found.value, -1);
  return found.value;
}

std::vector<std::optional<std::string>> ReadAll(std::string_view bytes) {
  std::vector<std::optional<std::string>> values;
  for (const char* section : kSections)
    for (const char* key : kKeys) values.push_back(Read(bytes, section, key));
  return values;
}

// Whatever a file holds, the name read from it is text that a save keeps as it is.
void CheckName(const std::optional<std::string>& value) {
  if (!value) return;
  const std::string name = NameFromFileBytes(*value);
  Require(NameFromFileBytes(NameToFileBytes(name)) == name, "a name changes when it is saved");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::uint64_t hash = 1469598103934665603ull;
  for (const char c : input) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  const std::size_t section = hash % kSections.size();
  const std::size_t key = (hash >> 8) % kKeys.size();
  // A plain value, so that what reads back is the value itself.
  const std::string value = "v" + std::to_string(hash >> 40);

  const auto before = ReadAll(input);
  for (const auto& read : before) CheckName(read);
  MemorySource current(input);
  const std::optional<Edit> edit =
      PlanWrite(&current, CheckedWriteNames(kSections[section], kKeys[key]), value);
  Require(edit.has_value(), "memory cannot fail to read");
  Require(edit->cutBegin <= edit->cutEnd && edit->cutEnd <= input.size(), "an edit out of range");
  const std::string after = input.substr(0, edit->cutBegin) + edit->text +
                            input.substr(edit->cutEnd);
  const auto values = ReadAll(after);
  std::size_t i = 0;
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    for (std::size_t k = 0; k < kKeys.size(); ++k, ++i) {
      if (SameName(kSections[s], kSections[section]) && SameName(kKeys[k], kKeys[key])) {
        Require(values[i] == value, "a written value does not read back");
      } else {
        Require(values[i] == before[i], "a value that was not written changed");
      }
    }
  }
  (void)ParseProfileInteger(input, 0);
  return 0;
}

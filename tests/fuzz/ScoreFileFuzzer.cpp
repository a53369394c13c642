// Feeds arbitrary bytes to the score-file reader as a file, then writes into that file, and
// aborts when a written value does not read back, when another value changes, or when the
// write touched more of the file than the one line it aimed at.

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "scores/IniFile.h"
#include "tests/fuzz/FuzzProbes.h"

namespace {

using quenlow::IniFile;
using namespace quenlow::fuzz;

std::string& WorkFolder() {
  static std::string folder;
  return folder;
}

void RemoveWorkFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(WorkFolder(), ignored);
}

// One folder for the whole run, gone when the run ends; on a memory file system when there is
// one, since every save flushes the file to disk.
const std::string& WorkFile() {
  static const std::string path = [] {
    std::string pattern = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/quenlow-fuzz-XXXXXX";
    Require(::mkdtemp(pattern.data()) != nullptr, "cannot make a work folder");
    WorkFolder() = pattern;
    std::atexit(RemoveWorkFolder);
    return pattern + "/score.ini";
  }();
  return path;
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out), "cannot write the input file");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

// What a written value reads back as: line breaks were written as blanks, and the reader trims
// blanks, takes one pair of outer quotes off and keeps at most 2047 bytes.
std::string ReadsBackAs(std::string value) {
  for (char& c : value)
    if (IsBreak(c)) c = ' ';
  std::size_t begin = 0;
  std::size_t end = value.size();
  while (begin < end && IsBlank(value[begin])) ++begin;
  while (end > begin && IsBlank(value[end - 1])) --end;
  value = value.substr(begin, end - begin);
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return value.substr(0, IniFile::kValueBufferSize - 1);
}

// True when `after` is `before` with one region replaced that lies within a single line of
// `before` (its line break included), and the new text adds at most three line breaks: a
// changed key line, an added key line, or an added section.
bool OneLineChanged(const std::string& before, const std::string& after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
    ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  const std::string_view removed(before.data() + prefix, before.size() - prefix - suffix);
  const std::string_view added(after.data() + prefix, after.size() - prefix - suffix);
  std::size_t breakAt = removed.find_first_of("\r\n");
  if (breakAt != std::string_view::npos) {
    // Only the changed line's own break may go, at the very end of what was removed.
    if (removed[breakAt] == '\r' && breakAt + 1 < removed.size() && removed[breakAt + 1] == '\n')
      ++breakAt;
    if (breakAt + 1 != removed.size()) return false;
  }
  std::size_t breaks = 0;
  for (std::size_t i = 0; i < added.size(); ++i) {
    if (added[i] == '\n' || (added[i] == '\r' && (i + 1 == added.size() || added[i + 1] != '\n')))
      ++breaks;
  }
  return breaks <= 3;
}

using Probes = std::vector<std::string>;

Probes ReadAll(const IniFile& file) {
  Probes values;
  for (const char* section : kSections) {
    for (const char* key : kKeys) {
      values.push_back(file.ReadString(section, key, "\x01missing"));
      // The integer reading of every value there is, for what the sanitizers find.
      (void)quenlow::ParseProfileInteger(values.back(), -1);
    }
  }
  return values;
}

// Runs one write and checks its effect against the file and the values before it.
template <typename Write>
void CheckedWrite(IniFile& file, std::size_t section, std::size_t key, const std::string& expected,
                  Write write) {
  const std::string before = ReadFile(file.Path());
  const Probes valuesBefore = ReadAll(file);
  try {
    write();
  } catch (const quenlow::WriteError&) {
    Require(false, "a write into the work folder was refused");
  }
  const std::string after = ReadFile(file.Path());
  Require(OneLineChanged(before, after), "the write changed more than one line");
  const Probes valuesAfter = ReadAll(file);
  std::size_t i = 0;
  for (std::size_t s = 0; s < kSections.size(); ++s) {
    for (std::size_t k = 0; k < kKeys.size(); ++k, ++i) {
      const bool written =
          SameName(kSections[s], kSections[section]) && SameName(kKeys[k], kKeys[key]);
      if (written) {
        Require(valuesAfter[i] == expected, "a written value does not read back");
      } else {
        Require(valuesAfter[i] == valuesBefore[i], "a value that was not written changed");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string& path = WorkFile();
  WriteFile(path, input);
  IniFile file(path);

  // The choices come from the input itself, so that the seeds can stay plain score files.
  std::uint64_t hash = 1469598103934665603ull;
  for (const char c : input) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  auto pick = [&hash](std::size_t n) {
    const std::size_t choice = static_cast<std::size_t>(hash % n);
    hash = hash / n + (hash << 7);
    return choice;
  };

  // A value cut from the input, line breaks, quotes and all.
  const std::size_t from = size == 0 ? 0 : pick(size);
  const std::string value = input.substr(from, 1 + pick(40));
  std::size_t section = pick(kSections.size());
  std::size_t key = pick(kKeys.size());
  CheckedWrite(file, section, key, ReadsBackAs(value),
               [&] { file.WriteString(kSections[section], kKeys[key], value); });

  const std::int32_t number = static_cast<std::int32_t>(static_cast<std::uint32_t>(hash));
  section = pick(kSections.size());
  key = pick(kKeys.size());
  CheckedWrite(file, section, key, std::to_string(number),
               [&] { file.WriteInteger(kSections[section], kKeys[key], number); });
  Require(file.ReadInteger(kSections[section], kKeys[key], 0) == number,
          "a written integer does not read back");

  section = pick(kSections.size());
  key = pick(kKeys.size());
  CheckedWrite(file, section, key, "",
               [&] { file.WriteString(kSections[section], kKeys[key], ""); });

  // The conversion of integers straight from the input as well.
  (void)quenlow::ParseProfileInteger(input, 0);
  return 0;
}

// A process that saves records in a loop is killed outright at random moments, over and over.
// Whatever the moment, the score file must hold one of the contents that a whole number of
// writes produces: never nothing, never a file cut short, never two versions spliced together.

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "tests/torture/SaveSequence.h"

extern char** environ;

namespace quenlow::torture {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// Every content the file can have after some whole number of single writes, each save being a
// name write followed by a score write. Mapped to the number of writes that first leads to it.
std::map<std::string, int> LegalContents() {
  std::map<std::string, int> contents;
  FileState state = StartState();
  contents.emplace(RenderFile(state), 0);
  int writes = 0;
  // Two full periods: by then every content has turned up.
  for (long step = 0; step < 2 * 3 * kValues; ++step) {
    const int d = SaveDifficulty(step);
    state.names[d] = SaveName(SaveValue(step)).bytes;
    contents.emplace(RenderFile(state), ++writes);
    state.scores[d] = std::to_string(SaveScore(SaveValue(step)));
    contents.emplace(RenderFile(state), ++writes);
  }
  return contents;
}

unsigned SeedFromEnvironment() {
  if (const char* text = std::getenv("QUENLOW_TORTURE_SEED")) return std::stoul(text);
  return std::random_device{}();
}

class Folder {
 public:
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "quenlow-kill-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

TEST(InterruptedSave, KilledAtAnyMomentTheFileIsAWholeVersion) {
  const unsigned seed = SeedFromEnvironment();
  std::printf("seed %u (set QUENLOW_TORTURE_SEED to repeat)\n", seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);

  const std::map<std::string, int> legal = LegalContents();
  const std::string start = RenderFile(StartState());
  Folder folder;
  const fs::path scoreFile = folder.Path() / "score.ini";
  const std::string program = QUENLOW_SAVE_LOOP;

  std::set<int> reached;
  // The helper starts within milliseconds and then writes every few of them (each write reads
  // and rewrites some 200 kB and flushes it), so kills spread over this window land before
  // the first save, between writes and inside them, over a full cycle of records.
  std::uniform_int_distribution<int> delayUs(0, 100000);
  constexpr int kRounds = 120;
  for (int round = 0; round < kRounds; ++round) {
    WriteAll(scoreFile, start);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(scoreFile.c_str()),
                    nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0)
        << "cannot start " << program;
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the helper ended by itself (status " << status << ") in round " << round;

    ASSERT_TRUE(fs::is_regular_file(scoreFile)) << "no score file after round " << round;
    const std::string content = ReadAll(scoreFile);
    ASSERT_FALSE(content.empty()) << "empty score file after round " << round;
    const auto found = legal.find(content);
    ASSERT_NE(found, legal.end()) << "round " << round << ": the file (" << content.size()
                                  << " bytes) is no version that whole writes produce";
    reached.insert(found->second);

    // What a killed save leaves besides the score file is its temporary file only.
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
      const std::string name = entry.path().filename().string();
      if (name == "score.ini") continue;
      EXPECT_EQ(name.rfind(".score.ini.", 0), 0u) << "unexpected file " << name;
      fs::remove(entry.path());
    }
  }
  // Without kills after the first writes the test would have shown nothing.
  EXPECT_GT(reached.size(), 2u) << "the kills never landed after a save";
  std::printf("the killed file held %zu different versions\n", reached.size());
}

}  // namespace
}  // namespace quenlow::torture

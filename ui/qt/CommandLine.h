#pragma once
// The game's command line, read before the toolkit starts, so that the help, the version and a
// mistake are answered without a display. The toolkit's own options (-platform, -display,
// -session, ...) pass through to it.

#include <string>

namespace quenlow {

struct CommandLineAnswer {
  // True when the program is to end at once with `status` after printing `out` on standard
  // output and `err` on standard error; false when the game starts.
  bool done = false;
  int status = 0;
  std::string out;
  std::string err;
};

CommandLineAnswer ReadCommandLine(int argc, const char* const* argv);

// "quenlow 2.3"
std::string VersionLine();
// The line the program ends with when no display could be opened.
std::string NoDisplayLine();

}  // namespace quenlow

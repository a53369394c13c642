#pragma once
// Real paths on this system: where the running program lies, and what a symbolic link names.
// The score file lies beside the program, and a score file reached through a link is saved
// into the file the link names.

#include <string>

namespace quenlow {

// The absolute path with every link, "." and ".." resolved, or an empty string when the path
// leads nowhere.
std::string RealPath(const std::string& path);

// The full path of the running program file, or an empty string when the system will not say.
std::string ProgramFile();

}  // namespace quenlow

#include "scores/ProgramPath.h"

#include <sys/auxv.h>
#include <unistd.h>

#include <cstdlib>

namespace quenlow {

std::string RealPath(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string result(resolved);
  std::free(resolved);
  return result;
}

std::string ProgramFile() {
  std::string buffer(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) break;
    if (static_cast<std::size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(n));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
  // Without /proc the name the program was started by still leads to it.
  const char* started = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
  if (started == nullptr) return {};
  return RealPath(started);
}

}  // namespace quenlow

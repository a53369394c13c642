#include "scores/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <limits>
#include <utility>
#include <vector>

#include "scores/ProgramPath.h"

namespace quenlow {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // True when the descriptor closed cleanly (or was not open).
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

FileReplacement::BeforeReplaceHook& ReplaceHook() {
  static FileReplacement::BeforeReplaceHook hook;
  return hook;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies `count` bytes from the source's current position, or everything to its end when
// `count` is the largest value. False on any error, or when the source ends too soon.
bool CopyBytes(int from, int to, std::uint64_t count, std::uint64_t size) {
  const bool toEnd = count == std::numeric_limits<std::uint64_t>::max();
  std::vector<char> buffer(BufferSizeFor(size));
  while (count > 0) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size()));
    const ssize_t n = ::read(from, buffer.data(), want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return toEnd;
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(n))) return false;
    if (!toEnd) count -= static_cast<std::uint64_t>(n);
  }
  return true;
}

// The temporary file beside the file it replaces. It is removed when it goes out of scope,
// unless it was handed over for the rename.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& directory, const std::string& baseName) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && !fd_.Valid(); ++attempt) {
      const std::string candidate = directory + "/." + baseName + "." + std::to_string(::getpid()) +
                                    "-" + std::to_string(counter++) + ".tmp";
      // Mode 0666 lets the umask decide, as for any new file.
      const int fd =
          ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
      if (fd >= 0) {
        fd_.Reset(fd);
        path_ = candidate;
      } else if (errno != EEXIST) {
        return;
      }
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    fd_.Close();
    if (!path_.empty() && !handedOver_) ::unlink(path_.c_str());
  }

  bool Valid() const { return fd_.Valid(); }
  int Get() const { return fd_.Get(); }
  const std::string& Path() const { return path_; }
  bool Close() { return fd_.Close(); }
  void HandOver() { handedOver_ = true; }

 private:
  FileDescriptor fd_;
  std::string path_;
  bool handedOver_ = false;
};

// A file reached through a symbolic link stays a link: the file it names is replaced. Empty
// when the link leads nowhere.
std::string WriteTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  return RealPath(path);
}

}  // namespace

bool FileSource::OpenRegular(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  Adopt(fd, static_cast<std::uint64_t>(info.st_size));
  return true;
}

void FileSource::Adopt(int fd, std::uint64_t size) {
  Close();
  fd_ = fd;
  size_ = size;
}

void FileSource::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

long FileSource::Read(char* buffer, std::size_t room) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, room);
    if (n < 0 && errno == EINTR) continue;
    return n < 0 ? -1 : static_cast<long>(n);
  }
}

FileReplacement::FileReplacement(std::string path)
    : path_(std::move(path)), target_(WriteTarget(path_)) {
  if (target_.empty()) throw Refused();
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) throw Refused();
    return;
  }
  exists_ = true;
  mode_ = info.st_mode;
  owner_ = info.st_uid;
  group_ = info.st_gid;
  if (!S_ISREG(info.st_mode)) throw Refused();
  // No write permission bit at all is read-only for everyone: the superuser could write
  // anyway, but a player who marked the file read-only expects it to stay as it is.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throw Refused();
  if (::access(target_.c_str(), W_OK) != 0) throw Refused();
  const int fd = ::open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) throw Refused();
  source_.Adopt(fd, static_cast<std::uint64_t>(info.st_size));
}

WriteError FileReplacement::Refused() const {
  return WriteError("Unable to write to " + path_);
}

void FileReplacement::Commit(const Edit& edit) {
  TemporaryFile temporary(DirectoryOf(target_), BaseNameOf(target_));
  if (!temporary.Valid()) throw Refused();
  if (exists_) {
    const int source = source_.Get();
    const std::uint64_t size = source_.Size();
    if (::lseek(source, 0, SEEK_SET) != 0 ||
        !CopyBytes(source, temporary.Get(), edit.cutBegin, size) ||
        !WriteAll(temporary.Get(), edit.text.data(), edit.text.size()) ||
        ::lseek(source, static_cast<off_t>(edit.cutEnd), SEEK_SET) !=
            static_cast<off_t>(edit.cutEnd) ||
        !CopyBytes(source, temporary.Get(), std::numeric_limits<std::uint64_t>::max(), size))
      throw Refused();
    // The owner stays where the system allows it; the permissions stay in any case.
    if (::fchown(temporary.Get(), owner_, group_) != 0) {
      // Only the superuser may give a file away; others keep their own files anyway.
    }
    if (::fchmod(temporary.Get(), mode_ & 07777) != 0) throw Refused();
  } else if (!WriteAll(temporary.Get(), edit.text.data(), edit.text.size())) {
    throw Refused();
  }
  if (::fsync(temporary.Get()) != 0 || !temporary.Close()) throw Refused();
  source_.Close();

  // From here on the temporary file is whole: a crash leaves it beside an intact old file.
  temporary.HandOver();
  if (ReplaceHook()) ReplaceHook()(temporary.Path());
  if (::rename(temporary.Path().c_str(), target_.c_str()) != 0) {
    ::unlink(temporary.Path().c_str());
    throw Refused();
  }
  FileDescriptor directory(::open(DirectoryOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Valid() && ::fsync(directory.Get()) != 0) {
    // The rename is done; flushing the folder only hurries it to the disk.
  }
}

void FileReplacement::SetBeforeReplaceHook(BeforeReplaceHook hook) {
  ReplaceHook() = std::move(hook);
}

}  // namespace quenlow

#pragma once
// A file replaced whole: the new content goes to a temporary file in the same folder, is
// flushed to disk and renamed over the old file, which keeps its permissions. A crash leaves
// either the old file or the new one, never half of one.

#include <sys/types.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "scores/IniSyntax.h"

namespace quenlow {

// Thrown when the system refuses a write. what() is "Unable to write to <path>".
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file descriptor as a byte source, from where it stands.
class FileSource : public ByteSource {
 public:
  FileSource() = default;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  ~FileSource() override { Close(); }

  // A regular file opened for reading; false for anything else at the path. A folder, a device
  // or a pipe is no score file, and opening without blocking keeps a pipe from hanging.
  bool OpenRegular(const std::string& path);
  void Adopt(int fd, std::uint64_t size);
  bool Valid() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  void Close();

  long Read(char* buffer, std::size_t room) override;
  std::uint64_t Size() const override { return size_; }

 private:
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// One replacement of the file at `path`. Construction finds the file to replace (a symbolic
// link stays a link: the file it names is replaced) and opens it, throwing WriteError when the
// system will not let it be written: no write permission bit at all (read-only for every user,
// the superuser included), a missing folder or one that refuses new files, no regular file.
class FileReplacement {
 public:
  explicit FileReplacement(std::string path);

  // The file as it is, read from its start; null when there is none yet.
  ByteSource* Current() { return exists_ ? &source_ : nullptr; }
  // Writes the file with the edit made and puts it in place. Throws WriteError when the system
  // refuses, the file then being as it was.
  void Commit(const Edit& edit);
  // The refusal of this write.
  WriteError Refused() const;

  // Test seam: runs after the new content is complete and flushed in the temporary file and
  // just before that file replaces the old one. An exception thrown from it behaves like a
  // crash at that moment: it propagates and the temporary file is left where it is. An empty
  // function removes the hook.
  using BeforeReplaceHook = std::function<void(const std::string& temporaryPath)>;
  static void SetBeforeReplaceHook(BeforeReplaceHook hook);

 private:
  std::string path_;
  std::string target_;
  bool exists_ = false;
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  FileSource source_;
};

}  // namespace quenlow

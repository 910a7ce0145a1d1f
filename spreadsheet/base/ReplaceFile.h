#pragma once
// The one way the program writes a file that may already exist: the new content goes to a
// temporary file beside the target (owner-only while it is written) and is renamed over it,
// so the target only ever holds its old content or all of the new.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "spreadsheet/base/Descriptor.h"

namespace quillora::base {

// One replacement in progress. The constructor checks the target and opens the temporary
// file, so several outputs can all be checked before any is written:
// - a target that exists and is not a regular file (a folder, device, FIFO or socket) is
//   refused with one FileError line;
// - a symbolic link is followed to the regular file it leads to, which is replaced (the link
//   stays a link); a link that leads nowhere, or to anything else, is refused.
// The finished file keeps the permission bits of the file it replaces; a new file gets the
// default mode (0666 less the umask), except in a run folder, where it stays owner-only.
// A file that replaces another reaches the disk before the rename; a new one need not, it
// has nothing to lose. Until Commit the temporary file is removed on destruction and on
// SIGINT/SIGTERM/SIGHUP.
class FileReplacement {
 public:
  explicit FileReplacement(const std::filesystem::path& target);
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  // The target as given, for messages.
  const std::filesystem::path& target() const noexcept { return target_; }
  void Write(std::span<const std::uint8_t> bytes);
  // Flushes when needed, sets the final mode and closes; failures name the target.
  void Finish();
  // Finishes (when not yet done) and renames the new file over the target.
  void Commit();

 private:
  std::filesystem::path target_;       // as given
  std::filesystem::path destination_;  // the file replaced, links followed
  std::filesystem::path temporary_;
  std::optional<mode_t> replacedMode_;
  Descriptor file_;
  int cleanup_ = -1;
  bool finished_ = false;
  bool committed_ = false;
};

// Replaces `target` with `bytes` in one step as above.
void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// The mode a new file gets by default: 0666 less the process's umask.
mode_t DefaultFileMode();

}  // namespace quillora::base

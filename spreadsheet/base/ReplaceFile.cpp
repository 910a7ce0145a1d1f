#include "spreadsheet/base/ReplaceFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/FileKind.h"
#include "spreadsheet/base/InterruptCleanup.h"
#include "spreadsheet/base/RunFolder.h"

namespace quillora::base {
namespace {

// The file a write to `target` must replace: `target` itself, or where its link leads.
std::filesystem::path Destination(const std::filesystem::path& target) {
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return target;
    ThrowSystemError(target, errno);
  }
  if (!S_ISLNK(info.st_mode)) return target;
  std::error_code error;
  const std::filesystem::path resolved = std::filesystem::canonical(target, error);
  if (error) throw FileError(target, "is a symbolic link that leads nowhere; it is not replaced");
  return resolved;
}

}  // namespace

mode_t DefaultFileMode() {
  // The umask is read where the system shows it: setting it to read it back would change it
  // for every thread for a moment.
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

FileReplacement::FileReplacement(const std::filesystem::path& target) : target_(target) {
  if (target.empty()) throw FileError(target, "no file name given");
  destination_ = Destination(target);
  struct stat info {};
  if (::stat(destination_.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) throw FileError(target, NotARegularFile(info.st_mode) + "; it is not replaced");
    replacedMode_ = info.st_mode & 0777;
  } else if (errno != ENOENT) {
    ThrowSystemError(target, errno);
  }
  // mkostemps creates the name exclusively (never through a link) with mode 0600.
  std::string pattern = destination_.native() + ".~XXXXXX.tmp";
  const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
  if (fd < 0) ThrowSystemError(target, errno);
  temporary_ = pattern;
  file_ = Descriptor(fd, target);
  cleanup_ = RegisterCleanup(temporary_, CleanupKind::File);
}

FileReplacement::~FileReplacement() {
  if (committed_) return;
  file_ = Descriptor();
  ::unlink(temporary_.c_str());
  UnregisterCleanup(cleanup_);
}

void FileReplacement::Write(std::span<const std::uint8_t> bytes) { file_.WriteAll(bytes); }

void FileReplacement::Finish() {
  if (finished_) return;
  // Only a file that replaces another must reach the disk before the rename: a crash must
  // never leave the name with less than the old content.
  if (replacedMode_) file_.Sync();
  const mode_t mode = replacedMode_ ? *replacedMode_ : IsInRunFolder(destination_) ? 0600 : DefaultFileMode();
  if (mode != 0600 && ::fchmod(file_.get(), mode) != 0) ThrowSystemError(target_, errno);
  file_.Close();
  finished_ = true;
}

void FileReplacement::Commit() {
  Finish();
  if (::rename(temporary_.c_str(), destination_.c_str()) != 0) ThrowSystemError(target_, errno);
  committed_ = true;
  UnregisterCleanup(cleanup_);
}

void ReplaceFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes) {
  FileReplacement replacement(target);
  replacement.Write(bytes);
  replacement.Commit();
}

}  // namespace quillora::base

#include "spreadsheet/base/FileKind.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace quillora::base {

bool IsRegularFile(const std::filesystem::path& file) noexcept {
  struct stat info {};
  return !file.empty() && ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsOwnRegularFile(const std::filesystem::path& file) noexcept {
  struct stat info {};
  return !file.empty() && ::lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         info.st_uid == ::geteuid();
}

bool NameTaken(const std::filesystem::path& file) noexcept {
  struct stat info {};
  if (::lstat(file.c_str(), &info) == 0) return true;
  return errno != ENOENT;
}

std::string NotARegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return "is a folder, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not a regular file";
  if (S_ISFIFO(mode)) return "is a FIFO, not a regular file";
  if (S_ISSOCK(mode)) return "is a socket, not a regular file";
  if (S_ISLNK(mode)) return "is a symbolic link";
  return "is not a regular file";
}

}  // namespace quillora::base

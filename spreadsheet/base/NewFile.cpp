#include "spreadsheet/base/NewFile.h"

#include <fcntl.h>

#include <cerrno>

#include "spreadsheet/base/FileError.h"

namespace quillora::base {

Descriptor CreateNewFile(const std::filesystem::path& file, mode_t mode) {
  if (file.empty()) throw FileError(file, "no file name given");
  Descriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode), file);
  if (!fd.isOpen()) {
    if (errno == EEXIST) throw FileError(file, "already exists; nothing was written");
    ThrowSystemError(file, errno);
  }
  return fd;
}

}  // namespace quillora::base

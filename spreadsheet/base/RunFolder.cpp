#include "spreadsheet/base/RunFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/InterruptCleanup.h"

namespace quillora::base {

RunFolder::RunFolder(const std::filesystem::path& parent) {
  std::string pattern = (parent / "quillora-run-XXXXXX").native();
  if (::mkdtemp(pattern.data()) == nullptr) {
    const int error = errno;
    throw FileError(parent, std::string("cannot create a folder for this run: ") + std::strerror(error));
  }
  path_ = pattern;
  cleanup_ = RegisterCleanup(path_, CleanupKind::Folder);
}

RunFolder::~RunFolder() {
  UnregisterCleanup(cleanup_);
  RemoveFolderAndFiles(path_.c_str());
}

bool IsInRunFolder(const std::filesystem::path& file) noexcept {
  return !file.empty() && IsRegisteredFolder(file.parent_path());
}

}  // namespace quillora::base

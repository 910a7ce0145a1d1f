#include "app/QuietDelete.h"

#include <QCoreApplication>
#include <system_error>

namespace quillora {

void DeleteFileQuietly(const std::filesystem::path& path) noexcept {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  std::error_code ignored;
  // Only files are deleted; an empty folder of that name stays.
  if (std::filesystem::is_directory(std::filesystem::symlink_status(path, ignored))) return;
  if (std::filesystem::remove(path, ignored)) return;
  if (!ignored) return;  // nothing there to delete
  // The forced second attempt: give the owner write permission (of the file itself, never
  // of what a link points to) and try again.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, ignored);
  std::filesystem::remove(path, ignored);
}

}  // namespace quillora

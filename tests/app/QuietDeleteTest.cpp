#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/QuietDelete.h"
#include "tests/support/TempDir.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

TEST(DeleteFileQuietly, RemovesFilesAndIgnoresEveryFailure) {
  testing::TempDir dir;

  // A missing file and a missing folder: nothing happens, nothing throws.
  DeleteFileQuietly(dir / "missing.xls");
  DeleteFileQuietly(dir.path() / "no-folder" / "missing.xls");
  DeleteFileQuietly("");

  // A read-only file goes.
  const fs::path readOnly = dir / "read-only.xls";
  testing::WriteText(readOnly, "x");
  fs::permissions(readOnly, fs::perms::owner_read);
  DeleteFileQuietly(readOnly);
  EXPECT_FALSE(fs::exists(readOnly));

  // A file in a read-only folder: removed where the user may, silently kept otherwise.
  const fs::path locked = dir / "locked";
  fs::create_directory(locked);
  testing::WriteText(locked / "kept.xls", "x");
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  DeleteFileQuietly(locked / "kept.xls");
  EXPECT_EQ(fs::exists(locked / "kept.xls"), ::geteuid() != 0);

  // A folder is not a file: it stays.
  fs::create_directory(dir / "folder");
  DeleteFileQuietly(dir / "folder");
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
}

}  // namespace
}  // namespace quillora

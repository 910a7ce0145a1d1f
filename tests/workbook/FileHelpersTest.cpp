#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <stdexcept>

#include "tests/support/TempDir.h"
#include "spreadsheet/base/FileKind.h"
#include "tests/support/FileBytes.h"
#include "workbook/core/FileHelpers.h"
#include "workbook/core/TemporaryFolder.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

TEST(FileHelpers, FileExistsNeverThrowsAndSeesOnlyFiles) {
  testing::TempDir dir;
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir / "missing"));
  EXPECT_FALSE(FileExists(dir.path() / "missing-folder" / "file"));
  EXPECT_FALSE(FileExists(dir.path()));
  testing::WriteText(dir / "file", "x");
  EXPECT_TRUE(FileExists(dir / "file"));
  // Only files: not a FIFO, a device or a link to a folder; a link to a file is that file.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_symlink(dir.path(), dir / "to-folder");
  fs::create_symlink(dir / "file", dir / "to-file");
  EXPECT_FALSE(FileExists(dir / "fifo"));
  EXPECT_FALSE(FileExists("/dev/null"));
  EXPECT_FALSE(FileExists(dir / "to-folder"));
  EXPECT_TRUE(FileExists(dir / "to-file"));
}

TEST(FileHelpers, WriteBytesToFileCreatesExclusivelyAndNeverFollowsALink) {
  testing::TempDir dir;
  const std::vector<std::uint8_t> bytes{0xD0, 0xCF, 0x11, 0xE0, 0x00, 0xFF};
  WriteBytesToFile(bytes, dir / "template.xlt");
  EXPECT_EQ(quillora::testing::ReadBytes(dir / "template.xlt"), bytes);
  struct stat info {};
  ASSERT_EQ(::stat((dir / "template.xlt").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);

  // An existing file is refused and left as it was.
  testing::WriteText(dir / "existing", "mine");
  EXPECT_THROW(WriteBytesToFile(bytes, dir / "existing"), std::runtime_error);
  EXPECT_EQ(testing::ReadText(dir / "existing"), "mine");

  // A dangling link is refused and its target never created.
  fs::create_symlink(dir / "target", dir / "temp.bmp");
  try {
    WriteBytesToFile(bytes, dir / "temp.bmp");
    FAIL() << "wrote through a link";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("temp.bmp"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(fs::exists(dir / "target"));

  // A link to an existing file is refused too.
  fs::create_symlink(dir / "existing", dir / "link");
  EXPECT_THROW(WriteBytesToFile(bytes, dir / "link"), std::runtime_error);
  EXPECT_EQ(testing::ReadText(dir / "existing"), "mine");
}

TEST(FileHelpers, OwnRegularFile) {
  testing::TempDir dir;
  testing::WriteText(dir / "file", "x");
  fs::create_symlink(dir / "file", dir / "link");
  EXPECT_TRUE(base::IsOwnRegularFile(dir / "file"));
  EXPECT_FALSE(base::IsOwnRegularFile(dir / "link"));
  EXPECT_FALSE(base::IsOwnRegularFile(dir.path()));
  EXPECT_FALSE(base::IsOwnRegularFile(dir / "missing"));
}

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
  return [values](const char* name) -> std::optional<std::string> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  };
}

TEST(TemporaryFolder, TempIsTakenUnchangedWhenSetAndNotEmpty) {
  EXPECT_EQ(ResolveTemporaryFolder(Environment({{"TEMP", "/some/where/"}})), "/some/where/");
}

TEST(TemporaryFolder, APrivateFolderIsCreatedWithMode0700) {
  testing::TempDir dir;
  const fs::path runtime = dir / "run";
  fs::create_directory(runtime);
  const fs::path made = ResolveTemporaryFolder(Environment({{"TEMP", ""}, {"XDG_RUNTIME_DIR", runtime}}));
  EXPECT_EQ(made, runtime / "quillora");
  struct stat info {};
  ASSERT_EQ(::lstat(made.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 07777, 0700u);
  // A second call accepts the folder it made.
  EXPECT_EQ(ResolveTemporaryFolder(Environment({{"XDG_RUNTIME_DIR", runtime}})), made);

  // Without XDG_RUNTIME_DIR: ${TMPDIR}/quillora-<uid>.
  const fs::path fallback =
      ResolveTemporaryFolder(Environment({{"TMPDIR", dir.path().string()}}));
  EXPECT_EQ(fallback, dir.path() / ("quillora-" + std::to_string(::geteuid())));
}

TEST(TemporaryFolder, RefusesALinkAnotherModeOrAnotherOwner) {
  testing::TempDir dir;
  const auto env = Environment({{"XDG_RUNTIME_DIR", dir.path().string()}});

  fs::create_directory(dir / "elsewhere");
  ::chmod((dir / "elsewhere").c_str(), 0700);
  fs::create_directory_symlink(dir / "elsewhere", dir / "quillora");
  EXPECT_THROW(ResolveTemporaryFolder(env), std::runtime_error);
  fs::remove(dir / "quillora");

  fs::create_directory(dir / "quillora");
  ::chmod((dir / "quillora").c_str(), 0755);
  try {
    ResolveTemporaryFolder(env);
    FAIL() << "accepted mode 0755";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("0700"), std::string::npos) << e.what();
  }

  testing::WriteText(dir / "plain", "");
  EXPECT_THROW(EnsurePrivateFolder(dir / "plain"), std::runtime_error);

  if (::geteuid() == 0) {  // only root can hand a folder to another user
    ::chmod((dir / "quillora").c_str(), 0700);
    ASSERT_EQ(::chown((dir / "quillora").c_str(), 65534, 65534), 0);
    EXPECT_THROW(ResolveTemporaryFolder(env), std::runtime_error);
  }
}

}  // namespace
}  // namespace quillora

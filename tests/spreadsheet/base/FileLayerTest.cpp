// The file layer: bounded reads of regular files only, replacement by complete files with the
// right permissions, run folders, and their removal when a signal ends the process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "spreadsheet/base/FileError.h"
#include "spreadsheet/base/NewFile.h"
#include "spreadsheet/base/ReadFile.h"
#include "spreadsheet/base/ReplaceFile.h"
#include "spreadsheet/base/RunFolder.h"
#include "tests/support/TempDir.h"

namespace quillora::base {
namespace {

namespace fs = std::filesystem;
using quillora::testing::ReadText;
using quillora::testing::TempDir;
using quillora::testing::WriteText;

const std::vector<std::uint8_t> kBytes{'n', 'e', 'w'};

mode_t ModeOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// The message of the FileError `action` throws; empty when it throws none.
template <class Action>
std::string FailureOf(Action&& action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.what();
  }
  return {};
}

// Sets the umask for one test and puts the old one back.
struct Umask {
  explicit Umask(mode_t mask) : old(::umask(mask)) {}
  ~Umask() { ::umask(old); }
  mode_t old;
};

TEST(ReadWholeFile, ReadsRegularFilesOnlyAndRefusesEverythingElseAtOnceByName) {
  TempDir dir;
  WriteText(dir / "plain", "abc");
  fs::create_symlink(dir / "plain", dir / "link");
  EXPECT_EQ(ReadWholeFile(dir / "plain", 3), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
  EXPECT_EQ(ReadWholeFile(dir / "link", 3).size(), 3u);
  EXPECT_EQ(FailureOf([&] { ReadWholeFile(dir / "link", 3, Links::Refuse); }),
            (dir / "link").string() + ": is a symbolic link; it is not read");
  EXPECT_EQ(FailureOf([&] { ReadWholeFile(dir / "plain", 2); }),
            (dir / "plain").string() + ": larger than 2 bytes, more than this program reads");

  // A device that never ends, a FIFO without a writer (opening it must not block) and a
  // folder: each one line naming the file.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureOf([] { ReadWholeFile("/dev/zero", kMaxWorkbookBytes); }),
            "/dev/zero: is a device, not a regular file");
  EXPECT_EQ(FailureOf([&] { ReadWholeFile(dir / "fifo", kMaxWorkbookBytes); }),
            (dir / "fifo").string() + ": is a FIFO, not a regular file");
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_EQ(FailureOf([&] { ReadWholeFile(dir.path(), kMaxWorkbookBytes); }),
            dir.path().string() + ": is a folder, not a file");
  EXPECT_EQ(FailureOf([&] { ReadWholeFile(dir / "missing", 10); }),
            (dir / "missing").string() + ": No such file or directory");
}

TEST(MappedFile, MapsWhatReadWholeFileReadsAndRefusesWhatItRefuses) {
  TempDir dir;
  WriteText(dir / "plain", "abc");
  WriteText(dir / "empty", "");
  fs::create_symlink(dir / "plain", dir / "link");
  const MappedFile plain(dir / "plain", 3);
  EXPECT_EQ(std::vector<std::uint8_t>(plain.Bytes().begin(), plain.Bytes().end()), ReadWholeFile(dir / "plain", 3));
  EXPECT_TRUE(MappedFile(dir / "empty", 3).Bytes().empty());
  EXPECT_EQ(FailureOf([&] { MappedFile(dir / "link", 3, Links::Refuse); }),
            (dir / "link").string() + ": is a symbolic link; it is not read");
  EXPECT_EQ(FailureOf([&] { MappedFile(dir / "plain", 2); }),
            (dir / "plain").string() + ": larger than 2 bytes, more than this program reads");
  EXPECT_EQ(FailureOf([] { MappedFile("/dev/zero", kMaxPictureBytes); }), "/dev/zero: is a device, not a regular file");
  EXPECT_EQ(FailureOf([&] { MappedFile(dir.path(), kMaxPictureBytes); }),
            dir.path().string() + ": is a folder, not a file");
}

TEST(ReplaceFile, ANewFileGetsTheDefaultModeAReplacedOneKeepsItsBits) {
  TempDir dir;
  const Umask mask(027);
  ReplaceFile(dir / "new.xls", kBytes);
  EXPECT_EQ(ModeOf(dir / "new.xls"), 0640u);
  EXPECT_EQ(DefaultFileMode(), 0640u);

  WriteText(dir / "mine.xls", "old");
  ASSERT_EQ(::chmod((dir / "mine.xls").c_str(), 0604), 0);
  ReplaceFile(dir / "mine.xls", kBytes);
  EXPECT_EQ(ReadText(dir / "mine.xls"), "new");
  EXPECT_EQ(ModeOf(dir / "mine.xls"), 0604u);
  EXPECT_EQ(EntriesIn(dir.path()), 2u);  // no temporary file left beside them
}

TEST(ReplaceFile, TheNewFileIsOwnerOnlyWhileItIsWritten) {
  TempDir dir;
  const Umask mask(0);
  FileReplacement replacement(dir / "out.xls");
  replacement.Write(kBytes);
  for (const auto& entry : fs::directory_iterator(dir.path())) EXPECT_EQ(ModeOf(entry.path()), 0600u);
  replacement.Commit();
  EXPECT_EQ(ModeOf(dir / "out.xls"), 0666u);
}

TEST(ReplaceFile, ALinkIsFollowedToARegularFileAndStaysALink) {
  TempDir dir;
  WriteText(dir / "real.xls", "old");
  fs::create_symlink("real.xls", dir / "link.xls");
  ReplaceFile(dir / "link.xls", kBytes);
  EXPECT_TRUE(fs::is_symlink(dir / "link.xls"));
  EXPECT_EQ(ReadText(dir / "real.xls"), "new");

  // A dangling link is refused: nothing is created where it points.
  fs::create_symlink(dir / "nowhere.xls", dir / "dangling.xls");
  EXPECT_EQ(FailureOf([&] { ReplaceFile(dir / "dangling.xls", kBytes); }),
            (dir / "dangling.xls").string() + ": is a symbolic link that leads nowhere; it is not replaced");
  EXPECT_FALSE(fs::exists(dir / "nowhere.xls"));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.xls"));
}

TEST(ReplaceFile, ATargetThatIsNoRegularFileIsRefusedAndLeftAlone) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir / "folder");
  fs::create_symlink(dir / "folder", dir / "to-folder");
  EXPECT_EQ(FailureOf([&] { ReplaceFile(dir / "fifo", kBytes); }),
            (dir / "fifo").string() + ": is a FIFO, not a regular file; it is not replaced");
  EXPECT_EQ(FailureOf([&] { ReplaceFile(dir / "folder", kBytes); }),
            (dir / "folder").string() + ": is a folder, not a file; it is not replaced");
  EXPECT_NE(FailureOf([&] { ReplaceFile(dir / "to-folder", kBytes); }), "");
  EXPECT_EQ(FailureOf([] { ReplaceFile("/dev/null", kBytes); }),
            "/dev/null: is a device, not a regular file; it is not replaced");
  EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
  EXPECT_TRUE(fs::is_symlink(dir / "to-folder"));
  EXPECT_EQ(EntriesIn(dir.path()), 3u);
  // A failure of the system names the file.
  EXPECT_EQ(FailureOf([&] { ReplaceFile(dir / "missing" / "out.png", kBytes); }),
            (dir / "missing" / "out.png").string() + ": No such file or directory");
}

TEST(RunFolder, IsPrivateHoldsOwnerOnlyFilesAndGoesWithEverythingInIt) {
  TempDir dir;
  const Umask mask(0);
  fs::path made;
  {
    RunFolder first(dir.path());
    RunFolder second(dir.path());
    made = first.path();
    EXPECT_NE(first.path(), second.path());
    EXPECT_EQ(made.parent_path(), dir.path());
    EXPECT_EQ(ModeOf(made), 0700u);
    ReplaceFile(made / "tamrel12345678.xls", kBytes);
    EXPECT_EQ(ModeOf(made / "tamrel12345678.xls"), 0600u);
    CreateNewFile(made / "temp.bmp").Close();
    EXPECT_TRUE(IsInRunFolder(made / "temp.bmp"));
    EXPECT_FALSE(IsInRunFolder(dir / "temp.bmp"));
  }
  EXPECT_FALSE(fs::exists(made));
  EXPECT_EQ(EntriesIn(dir.path()), 0u);
}

// A process ended by SIGINT or SIGTERM leaves no run folder and no half-written file behind,
// and still ends by that signal.
TEST(RunFolder, ASignalRemovesTheRunsFilesAndEndsTheProcessByIt) {
  for (const int signal : {SIGTERM, SIGINT}) {
    TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      RunFolder folder(dir.path());
      ReplaceFile(folder.path() / "tamrel11111111.xls", kBytes);
      FileReplacement half(dir / "out.xls");
      half.Write(kBytes);
      (void)!::write(ready[1], "x", 1);
      for (;;) ::pause();
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);  // the child's files are all there
    ::close(ready[0]);
    EXPECT_EQ(EntriesIn(dir.path()), 2u);
    ::kill(child, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(EntriesIn(dir.path()), 0u);
  }
}

}  // namespace
}  // namespace quillora::base

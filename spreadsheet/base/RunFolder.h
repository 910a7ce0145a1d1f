#pragma once
// A folder of one's own for one generation run, so runs at the same time never see each
// other's files, and nothing of a run outlives it, not even when a signal ends the process.
#include <filesystem>

namespace quillora::base {

class RunFolder {
 public:
  // Creates a new folder "quillora-run-XXXXXX" (mode 0700) inside `parent` and registers it
  // for removal on SIGINT, SIGTERM and SIGHUP. Throws FileError naming `parent`.
  explicit RunFolder(const std::filesystem::path& parent);
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  // Removes the files in the folder and the folder itself.
  ~RunFolder();

  const std::filesystem::path& path() const noexcept { return path_; }

 private:
  std::filesystem::path path_;
  int cleanup_ = -1;
};

// True when `file` lies directly in a live run folder.
bool IsInRunFolder(const std::filesystem::path& file) noexcept;

}  // namespace quillora::base

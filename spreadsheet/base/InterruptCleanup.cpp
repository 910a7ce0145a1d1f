#include "spreadsheet/base/InterruptCleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace quillora::base {
namespace {

constexpr int kSlots = 64;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int { kFree = 0, kFilling = 1, kFile = 2, kFolder = 3 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathBytes]{};
};

// Zero at compile time (kFree is 0), so starting a program writes none of its 64 pages.
constinit Slot g_slots[kSlots];
const int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

void OnSignal(int signal) {
  const int saved = errno;
  for (Slot& slot : g_slots) {
    const int state = slot.state.load();
    if (state == kFile) ::unlink(slot.path);
    if (state == kFolder) RemoveFolderAndFiles(slot.path);
  }
  errno = saved;
  // The handler was installed with SA_RESETHAND: the signal's default action is back and it
  // takes effect once the handler returns.
  ::raise(signal);
}

void InstallHandlers() {
  for (const int signal : kSignals) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (const int other : kSignals) sigaddset(&action.sa_mask, other);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

int RegisterCleanup(const std::filesystem::path& path, CleanupKind kind) noexcept {
  static std::atomic<bool> installed{false};
  if (!installed.exchange(true)) InstallHandlers();
  const std::string& text = path.native();
  if (text.empty() || text.size() >= kPathBytes) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(g_slots[i].path, text.c_str(), text.size() + 1);
    g_slots[i].state.store(kind == CleanupKind::File ? kFile : kFolder);
    return i;
  }
  return -1;
}

void UnregisterCleanup(int handle) noexcept {
  if (handle >= 0 && handle < kSlots) g_slots[handle].state.store(kFree);
}

bool IsRegisteredFolder(const std::filesystem::path& folder) noexcept {
  const std::string& text = folder.native();
  for (const Slot& slot : g_slots)
    if (slot.state.load() == kFolder && text == slot.path) return true;
  return false;
}

void RemoveFolderAndFiles(const char* folder) noexcept {
  const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  // Entries removed while listing may make a listing skip others: list again from the start
  // until a pass finds nothing left to remove.
  alignas(8) char buffer[4096];
  for (int pass = 0; pass < 16; ++pass) {
    bool removed = false;
    if (::lseek(fd, 0, SEEK_SET) != 0) break;
    ssize_t got;
    while ((got = ::getdents64(fd, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < got;) {
        const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
        at += entry->d_reclen;
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (::unlinkat(fd, name, 0) == 0) removed = true;
      }
    }
    if (!removed) break;
  }
  ::close(fd);
  ::rmdir(folder);
}

}  // namespace quillora::base

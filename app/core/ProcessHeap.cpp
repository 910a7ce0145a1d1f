#include "app/core/ProcessHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace quillora {

// Faulting memory in page by page costs more than the work itself on virtual machines, hence
// one large growth of the heap's address space with a huge-page hint. Untouched address
// space costs nothing; what the process touches comes in 2 MB at a time.
void PrepareProcessHeap() {
  constexpr std::size_t kMargin = 32 << 20, kReserve = 512 << 20, kHuge = 2 << 20;
  mallopt(M_MMAP_THRESHOLD, kMargin);
  mallopt(M_TRIM_THRESHOLD, 2 * kReserve);  // the reserve is never handed back
  mallopt(M_TOP_PAD, kReserve);
  void* first = std::malloc(kMargin / 2);  // grows the heap by it and the reserve
  if (first == nullptr) {                  // no room for the reserve: grow by the margin alone
    mallopt(M_TOP_PAD, kMargin);
    first = std::malloc(kMargin / 2);
    if (first == nullptr) return;  // the defaults still work
  }
  const auto begin = (reinterpret_cast<std::uintptr_t>(first) + kHuge - 1) & ~(kHuge - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  mallopt(M_TOP_PAD, kMargin);
  std::free(first);
}

}  // namespace quillora

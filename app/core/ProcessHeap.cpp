#include "app/core/ProcessHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace quillora {

// Faulting picture memory in page by page costs more than the work itself on virtual
// machines, hence one large growth with a huge-page hint.
void PrepareProcessHeap() {
  constexpr std::size_t kMargin = 32 << 20, kHuge = 2 << 20;
  mallopt(M_MMAP_THRESHOLD, kMargin);
  mallopt(M_TRIM_THRESHOLD, 4 * kMargin);
  mallopt(M_TOP_PAD, kMargin);
  void* first = std::malloc(kMargin / 2);  // grows the heap by it and the margin
  if (first == nullptr) return;            // no memory to spare: the defaults still work
  const auto begin = (reinterpret_cast<std::uintptr_t>(first) + kHuge - 1) & ~(kHuge - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  std::free(first);
}

}  // namespace quillora

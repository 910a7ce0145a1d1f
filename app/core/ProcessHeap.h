#pragma once

namespace quillora {

// Sets up the C heap for a process that handles pictures of a few megabytes and lives for
// a fraction of a second to a few minutes: the heap grows once by a generous margin, that
// margin is asked to be backed by huge pages (a hint the kernel may ignore), and freed
// memory stays in the process for reuse instead of going back page by page. Call it first
// thing in main(), before anything allocates much. Used by quillora, both command-line
// programs and the benchmark process, so in-process figures match the programs'.
void PrepareProcessHeap();

}  // namespace quillora

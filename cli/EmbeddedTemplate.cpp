#include "cli/EmbeddedTemplate.h"

// The assembler copies the file the build names in QUILLORA_TEMPLATE_FILE into read-only
// data between two symbols of this program alone.
asm(".pushsection .rodata\n"
    ".balign 16\n"
    ".hidden quillora_template_begin\n"
    ".hidden quillora_template_end\n"
    "quillora_template_begin:\n"
    ".incbin \"" QUILLORA_TEMPLATE_FILE "\"\n"
    "quillora_template_end:\n"
    ".popsection\n");

extern "C" const std::uint8_t quillora_template_begin[];
extern "C" const std::uint8_t quillora_template_end[];

namespace quillora::cli {

std::span<const std::uint8_t> EmbeddedTemplate() { return {quillora_template_begin, quillora_template_end}; }

}  // namespace quillora::cli

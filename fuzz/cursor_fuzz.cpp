// The .cur reader either returns images whose pixels match their size or throws.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "app/core/CursorFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    for (const auto& image : quillora::ReadCursorFile({data, size})) {
      if (image.png.empty() &&
          image.argb.size() != static_cast<std::size_t>(image.width) * image.height)
        std::abort();
      if (image.hotspotX >= image.width || image.hotspotY >= image.height) std::abort();
    }
  } catch (const std::runtime_error&) {
  }
  return 0;
}

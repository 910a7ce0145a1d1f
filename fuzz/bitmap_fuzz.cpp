// The picture file reader: any bytes either give a bitmap whose rows all lie inside the
// input, or nothing.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "workbook/core/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto bitmap = quillora::ReadBitmap24({data, size});
  if (!bitmap) return 0;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(bitmap->width) * 4);
  for (int y = 0; y < bitmap->height; ++y) quillora::UnpackRow24(bitmap->Row(y), bitmap->width, row.data());
  return 0;
}

#pragma once
#include "spreadsheet/base/Error.h"

namespace quillora::engine {

// A workbook stream the engine cannot read: damaged, foreign, too old or encrypted.
class BiffError : public Error {
 public:
  using Error::Error;
};

}  // namespace quillora::engine

#pragma once
// A drawing (pictures and their records) that is damaged or that the engine cannot model.
#include "spreadsheet/base/Error.h"

namespace quillora::engine {

class DrawingError : public Error {
 public:
  using Error::Error;
};

}  // namespace quillora::engine

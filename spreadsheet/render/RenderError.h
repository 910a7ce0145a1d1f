#pragma once
// A drawing or printing request the renderer refuses: a range outside the sheet or with every
// row hidden, a picture too large to draw, a device that cannot take the page.
#include "spreadsheet/base/Error.h"

namespace quillora::render {

class RenderError : public engine::RequestError {
 public:
  using engine::RequestError::RequestError;
};

}  // namespace quillora::render

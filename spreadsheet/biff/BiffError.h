#pragma once
#include <stdexcept>

namespace quillora::engine {

// A workbook stream the engine cannot read: damaged, foreign, too old or encrypted.
class BiffError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quillora::engine

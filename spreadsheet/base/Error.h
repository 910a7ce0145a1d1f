#pragma once
// The root of every failure the engine reports: damaged or unreadable files (file,
// compound-file, record and drawing errors) and formulas it cannot read or write. A caller
// that wants to tell the engine's refusals from other failures catches Error.
#include <stdexcept>

namespace quillora::engine {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace quillora::engine

#pragma once
// The root of every failure the engine reports: damaged or unreadable files (file,
// compound-file, record and drawing errors), formulas and number formats it cannot read,
// page setups it cannot print, and requests it refuses. A caller that wants to tell the
// engine's refusals from other failures (a program fault, memory running out) catches Error.
#include <stdexcept>

namespace quillora::engine {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A request the engine refuses, with nothing changed: a cell outside the grid or on a sheet
// without cells, text longer than a cell or a record holds, a workbook without room for
// another format, a range with nothing to draw.
class RequestError : public Error {
 public:
  using Error::Error;
};

}  // namespace quillora::engine

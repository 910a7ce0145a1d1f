#pragma once

#include <functional>
#include <memory>
#include <string_view>

// How the viewport runs the numbered steps of a reporting routine without knowing how a
// failure is reported. The window supplies a trap that reports a failing step under the
// routine's name and goes on with the next one.
namespace quillora::preview {

class RoutineSteps {
 public:
  virtual ~RoutineSteps() = default;
  // Runs one statement at `step`; true when it completed.
  virtual bool run(int step, const std::function<void()>& statement) = 0;
};

class RoutineTraps {
 public:
  virtual ~RoutineTraps() = default;
  // Arms the trap of the routine named `routine` (the text its reports show).
  virtual std::unique_ptr<RoutineSteps> arm(std::string_view routine) = 0;
};

// Steps without a trap: a failure propagates to whoever called the routine.
class UntrappedSteps final : public RoutineSteps {
 public:
  bool run(int, const std::function<void()>& statement) override {
    statement();
    return true;
  }
};

}  // namespace quillora::preview

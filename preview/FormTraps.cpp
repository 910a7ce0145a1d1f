#include "preview/FormTraps.h"

namespace quillora::preview {

namespace {

// A trap of its own, armed for one run of a routine.
class ArmedTrap final : public RoutineSteps {
 public:
  ArmedTrap(Desktop& desktop, const QString& module, std::string_view routine)
      : trap_(desktop, module, QString::fromUtf8(routine.data(), static_cast<qsizetype>(routine.size()))) {}
  bool run(int step, const std::function<void()>& statement) override { return trap_(step, statement); }

 private:
  ErrorTrap trap_;
};

}  // namespace

std::unique_ptr<RoutineSteps> FormTraps::arm(std::string_view routine) {
  return std::make_unique<ArmedTrap>(desktop_, module_, routine);
}

}  // namespace quillora::preview

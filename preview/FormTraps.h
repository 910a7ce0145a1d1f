#pragma once

#include <QString>
#include <memory>
#include <utility>

#include "app/Desktop.h"
#include "app/ErrorTrap.h"
#include "preview/core/RoutineTrap.h"

namespace quillora::preview {

// Runs the viewport's numbered steps under a window routine's error trap.
class TrapSteps final : public RoutineSteps {
 public:
  explicit TrapSteps(ErrorTrap& trap) : trap_(trap) {}
  bool run(int step, const std::function<void()>& statement) override { return trap_(step, statement); }

 private:
  ErrorTrap& trap_;
};

// Arms the common error trap for the viewport's own reporting routines of one window.
class FormTraps final : public RoutineTraps {
 public:
  FormTraps(Desktop& desktop, QString module) : desktop_(desktop), module_(std::move(module)) {}
  std::unique_ptr<RoutineSteps> arm(std::string_view routine) override;

 private:
  Desktop& desktop_;
  QString module_;
};

}  // namespace quillora::preview

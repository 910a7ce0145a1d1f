#pragma once

#include <QString>
#include <exception>
#include <optional>
#include <type_traits>
#include <utility>

#include "app/Desktop.h"

namespace quillora {

// Composes the common report and shows it: title "Application Error", one OK button,
// warning icon. Returns when the user has closed the box.
void ReportApplicationError(Desktop& desktop, const QString& module, const QString& routine,
                            int step, const QString& description);

// The description a failure reports: the exception's message, unchanged.
QString FailureDescription(const std::exception_ptr& failure);

// The error trap of a reporting routine. Each statement that can fail runs on its own
// under a step number; a failure is reported with the routine's identity and that step,
// and the routine resumes with its next statement:
//
//   ErrorTrap trap(desktop, "Form1", "Form_Load");
//   trap(102, [&] { setWindowTitle("Quillora"); });
//   if (trap.test(124, [&] { return FileExists(path); })) trap(126, [&] { load(path); });
//
// A failure inside a called helper abandons the rest of that helper and is reported at
// the calling step, because the helper runs inside the caller's statement.
class ErrorTrap {
 public:
  ErrorTrap(Desktop& desktop, QString module, QString routine)
      : desktop_(desktop), module_(std::move(module)), routine_(std::move(routine)) {}

  // Runs one statement at `step`; true when it completed, false when it failed.
  template <class Statement>
  bool operator()(int step, Statement&& statement) {
    step_ = step;
    try {
      std::forward<Statement>(statement)();
      return true;
    } catch (...) {
      report(std::current_exception());
      return false;
    }
  }

  // A condition at `step`: its value, or false when evaluating it failed.
  template <class Condition>
  bool test(int step, Condition&& condition) {
    bool result = false;
    (*this)(step, [&] { result = static_cast<bool>(std::forward<Condition>(condition)()); });
    return result;
  }

  // An expression at `step`: its value, or nothing when it failed.
  template <class Expression>
  auto value(int step, Expression&& expression)
      -> std::optional<std::decay_t<decltype(expression())>> {
    std::optional<std::decay_t<decltype(expression())>> result;
    (*this)(step, [&] { result.emplace(std::forward<Expression>(expression)()); });
    return result;
  }

  int step() const { return step_; }
  const QString& module() const { return module_; }
  const QString& routine() const { return routine_; }

 private:
  void report(const std::exception_ptr& failure);

  Desktop& desktop_;
  QString module_;
  QString routine_;
  int step_ = 0;
};

}  // namespace quillora

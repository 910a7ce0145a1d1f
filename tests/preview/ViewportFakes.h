#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "preview/core/RoutineTrap.h"
#include "preview/core/ViewportView.h"

namespace quillora::preview::testing {

struct Report {
  std::string routine;
  int step;
  std::string description;
  bool operator==(const Report&) const = default;
};

// Traps that record each failure instead of showing it, then go on.
class RecordingTraps final : public RoutineTraps {
 public:
  class Steps final : public RoutineSteps {
   public:
    Steps(std::vector<Report>& reports, std::string routine)
        : reports_(reports), routine_(std::move(routine)) {}
    bool run(int step, const std::function<void()>& statement) override {
      try {
        statement();
        return true;
      } catch (const std::exception& e) {
        reports_.push_back({routine_, step, e.what()});
        return false;
      }
    }

   private:
    std::vector<Report>& reports_;
    std::string routine_;
  };

  std::unique_ptr<RoutineSteps> arm(std::string_view routine) override {
    return std::make_unique<Steps>(reports, std::string(routine));
  }
  Steps caller(const std::string& routine) { return Steps(reports, routine); }

  std::vector<Report> reports;
};

// A view that counts what it was asked to do and can be told to fail a drawing.
class RecordingView final : public ViewportView {
 public:
  void imageBoxChanged(const Box& box) override { lastBox = box; }
  void scrollBarChanged(Axis, const ScrollBarState&) override { ++barUpdates; }
  void keepPictureInHolder() override { ++holderCopies; }
  void hideHolder() override { holderHidden = true; }
  void clearImage() override { ++clears; }
  void drawStretched(const StretchDraw& draw) override {
    if (failDrawing) throw std::runtime_error("Out of memory");
    draws.push_back(draw);
  }
  void pointerToDefault() override { ++pointerResets; }

  Box lastBox;
  int barUpdates = 0;
  int holderCopies = 0;
  bool holderHidden = false;
  int clears = 0;
  std::vector<StretchDraw> draws;
  int pointerResets = 0;
  bool failDrawing = false;
};

}  // namespace quillora::preview::testing

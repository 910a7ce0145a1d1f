#pragma once

#include <QLocale>
#include <cstdint>
#include <memory>
#include <vector>

#include "app/AppContext.h"
#include "app/RegionalSettings.h"
#include "budget/Form1.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempDir.h"

namespace quillora::testing {

class FixedClock final : public Clock {
 public:
  double secondsSinceMidnight() override { return 45296.25; }
  std::uint64_t fineTicks() override { return 1; }
};

// Returns `next` for every draw and records the seeds.
class ScriptedRandom final : public RandomSource {
 public:
  void seed(std::uint64_t value) override { seeds.push_back(value); }
  double uniform() override { return next; }
  double next = 0.5;
  std::vector<std::uint64_t> seeds;
};

// An entry window under United States settings with a fake desktop and its own empty
// program folder.
struct Form1Harness {
  FakeDesktop desktop;
  FixedClock clock;
  ScriptedRandom random;
  TempDir programFolder;
  AppContext context{desktop, clock, random, programFolder.path(),
                     [this] { return programFolder.path(); }};
  std::unique_ptr<Form1> form =
      std::make_unique<Form1>(context, NumberLocaleFrom(QLocale("en_US")));

  // Runs the start-up and shows the window, active, as the program does.
  void start();
};

}  // namespace quillora::testing

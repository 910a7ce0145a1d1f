#pragma once

#include <cstdint>
#include <memory>
#include <random>

// Clock and random draws, injectable so tests can pin the home-page draw and the
// temporary names.
namespace quillora {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since local midnight, with fractions.
  virtual double secondsSinceMidnight() = 0;
  // A fine, monotonic tick count, used to seed generators.
  virtual std::uint64_t fineTicks() = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void seed(std::uint64_t value) = 0;
  // A uniform draw in [0, 1).
  virtual double uniform() = 0;
};

class SystemClock final : public Clock {
 public:
  double secondsSinceMidnight() override;
  std::uint64_t fineTicks() override;
};

// A 64-bit Mersenne twister seeded once from the system's entropy.
class SystemRandom final : public RandomSource {
 public:
  SystemRandom();
  void seed(std::uint64_t value) override;
  double uniform() override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace quillora

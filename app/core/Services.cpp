#include "app/core/Services.h"

#include <chrono>
#include <ctime>

namespace quillora {

double SystemClock::secondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const double fraction =
      duration<double>(now.time_since_epoch()).count() - static_cast<double>(t);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

std::uint64_t SystemClock::fineTicks() {
  return static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
}

SystemRandom::SystemRandom() {
  std::random_device device;
  std::seed_seq seq{device(), device(), device(), device()};
  engine_.seed(seq);
}

void SystemRandom::seed(std::uint64_t value) { engine_.seed(value); }

double SystemRandom::uniform() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

}  // namespace quillora

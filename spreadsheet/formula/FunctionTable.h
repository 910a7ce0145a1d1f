#pragma once

// The worksheet functions the formula compiler and printer know, by their BIFF8 index.

#include <cstdint>
#include <string_view>

namespace quillora::engine {

struct FunctionInfo {
  std::uint16_t index;     // BIFF8 function index (tFunc / tFuncVar)
  std::string_view name;   // upper case, as printed
  std::uint8_t minArgs;
  std::uint8_t maxArgs;    // equal to minArgs: fixed arity, written as tFunc; else tFuncVar
  bool referenceArgs;      // arguments are passed as references (reference-class tokens)

  bool FixedArity() const { return minArgs == maxArgs; }
};

// Looks a function up by index or by (case-insensitive) name; nullptr when unknown.
const FunctionInfo* FindFunction(std::uint16_t index);
const FunctionInfo* FindFunction(std::string_view name);

namespace fn {
inline constexpr std::uint16_t kCount = 0, kIf = 1, kSum = 4, kAverage = 5, kMin = 6, kMax = 7;
inline constexpr std::uint16_t kAbs = 24, kRound = 27, kTrue = 34, kFalse = 35, kAnd = 36;
inline constexpr std::uint16_t kOr = 37, kNot = 38, kCountA = 169;
}  // namespace fn

}  // namespace quillora::engine

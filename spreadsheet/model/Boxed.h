#pragma once
// An optional value kept on the heap: the interface of std::optional (has_value, ->, *,
// emplace, reset, comparison by value) at the size of one pointer. Cells use it for their
// rarely present formula, which keeps a sheet of many plain cells small.
#include <memory>
#include <utility>

namespace quillora::engine {

template <typename T>
class Boxed {
 public:
  Boxed() = default;
  Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}  // NOLINT: converts like optional
  Boxed(const Boxed& other) : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
  Boxed(Boxed&&) noexcept = default;
  Boxed& operator=(const Boxed& other) {
    if (this != &other) value_ = other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    return *this;
  }
  Boxed& operator=(Boxed&&) noexcept = default;
  Boxed& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }

  bool has_value() const { return value_ != nullptr; }
  explicit operator bool() const { return has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return value_.get(); }
  const T* operator->() const { return value_.get(); }
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  template <typename... Args>
  T& emplace(Args&&... args) {
    value_ = std::make_unique<T>(std::forward<Args>(args)...);
    return *value_;
  }
  void reset() { value_.reset(); }

  friend bool operator==(const Boxed& a, const Boxed& b) {
    return a.has_value() == b.has_value() && (!a.has_value() || *a == *b);
  }

 private:
  std::unique_ptr<T> value_;
};

}  // namespace quillora::engine

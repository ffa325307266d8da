#pragma once
// Helpers shared by the fuzz targets.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// Stops the run with the failed property; -fsanitize=fuzzer saves the input as a crash.
#define FUZZ_CHECK(cond)                                                               \
  do {                                                                                 \
    if (!(cond)) {                                                                     \
      std::fprintf(stderr, "property failed: %s at %s:%d\n", #cond, __FILE__, __LINE__); \
      __builtin_trap();                                                                \
    }                                                                                  \
  } while (0)

// Reads fixed-size values from the front of the input; zeros once it runs out.
class FuzzReader {
 public:
  FuzzReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    const std::size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
    if (n != 0) std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }

  // The remaining input split at NUL bytes, so that every field is a C string.
  std::vector<std::string> Fields() {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < size_; ++i) {
      if (data_[i] == 0) {
        fields.emplace_back();
      } else {
        fields.back() += static_cast<char>(data_[i]);
      }
    }
    data_ += size_;
    size_ = 0;
    return fields;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// A span of lines in a file.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct TextLocation {
  std::string path;
  int32_t start_line = 0;
  int32_t end_line = 0;

  bool operator==(const TextLocation&) const = default;

  static constexpr const char* type_name = "TextLocation";
  static constexpr auto fields() {
    using T = TextLocation;
    return std::tuple{required("path", &T::path), required("start_line", &T::start_line),
                      required("end_line", &T::end_line)};
  }
};

}  // namespace dorvek::ort

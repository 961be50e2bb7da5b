// The scanner that produced a scan result: name, version and configuration,
// all as written.
#pragma once

#include <string>
#include <tuple>

#include "models/record.hpp"

namespace dorvek::ort {

struct ScannerDetails {
  std::string name;
  std::string version;
  std::string configuration;

  bool operator==(const ScannerDetails&) const = default;

  static constexpr const char* type_name = "ScannerDetails";
  static constexpr auto fields() {
    using T = ScannerDetails;
    return std::tuple{required("name", &T::name), required("version", &T::version),
                      required("configuration", &T::configuration)};
  }
};

}  // namespace dorvek::ort

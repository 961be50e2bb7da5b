// A scan storage back-end's settings, kept whole as free-form data: every key
// of its mapping goes into one sorted object, written back as the map's entries.
#pragma once

#include <tuple>

#include "models/flatten.hpp"
#include "models/json_value.hpp"

namespace dorvek::ort {

struct ScanStorageConfiguration {
  JsonValue value{JsonValue::Data{JsonObject{}}};

  bool operator==(const ScanStorageConfiguration&) const = default;

  static constexpr const char* type_name = "ScanStorageConfiguration";
  static constexpr auto flatten = &ScanStorageConfiguration::value;
  static constexpr auto fields() { return std::tuple{}; }
};

}  // namespace dorvek::ort
